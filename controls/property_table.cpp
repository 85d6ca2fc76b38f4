#include "controls/property_table.h"

#include "controls/skinned_control.h"

#include <QColor>

#include <algorithm>
#include <limits>

namespace morvane::controls {

namespace {

quint32 color_of(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QColor) {
        const QColor c = value.value<QColor>();
        return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16;
    }
    if (value.metaType().id() == QMetaType::QString) {
        QString text = value.toString().trimmed();
        bool ok = false;
        quint32 parsed = 0;
        if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            parsed = text.mid(2).toUInt(&ok, 16);
        else if (text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
            parsed = text.mid(2).remove(QLatin1Char('&')).toUInt(&ok, 16);
        else
            parsed = quint32(text.toLongLong(&ok));
        return ok ? parsed : 0;
    }
    return quint32(value.toLongLong());  // keeps the bits of a colour given as a signed int
}

qint32 int32_of(const QVariant& value) {
    const qlonglong v = value.toLongLong();
    return qint32(std::clamp<qlonglong>(v, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

}  // namespace

QVariant normalise_property(PropertyKind kind, const QVariant& value) {
    switch (kind) {
        case PropertyKind::Color: return QVariant::fromValue(color_of(value));
        case PropertyKind::Boolean: return QVariant(value.toBool());
        case PropertyKind::Int32: return QVariant::fromValue(int32_of(value));
        case PropertyKind::Single: return QVariant(value.toFloat());
        case PropertyKind::Text: return QVariant(value.toString());
        case PropertyKind::Font:
            if (value.metaType().id() == QMetaType::QFont) return value;
            if (value.metaType().id() == QMetaType::QString) {
                QFont f;
                f.fromString(value.toString());
                return QVariant(f);
            }
            return QVariant(QFont());
    }
    return value;
}

PropertyDecl declare_inert(const char* key, PropertyKind kind, const QVariant& default_value) {
    const QVariant value = normalise_property(kind, default_value);
    auto read = [value](const SkinnedControl&) { return value; };
    return PropertyDecl{QString::fromLatin1(key), kind, read, read, [](SkinnedControl&, const QVariant&) {}, nullptr,
                        false};
}

std::vector<PropertyDecl> declare_font(FontGetter get, FontSetter apply) {
    auto edit = [get, apply](auto change) {
        return [get, apply, change](SkinnedControl& c, const QVariant& v) {
            QFont f = get(c);
            change(f, v);
            apply(c, f);
        };
    };
    return {
        {QStringLiteral("Font"), PropertyKind::Font, [](const SkinnedControl& c) { return QVariant(c.host_font()); },
         [get](const SkinnedControl& c) { return QVariant(get(c)); },
         [apply](SkinnedControl& c, const QVariant& v) { apply(c, v.value<QFont>()); }},
        {QStringLiteral("FontName"), PropertyKind::Text,
         [](const SkinnedControl& c) { return QVariant(c.host_font().family()); },
         [get](const SkinnedControl& c) { return QVariant(get(c).family()); },
         edit([](QFont& f, const QVariant& v) { f.setFamily(v.toString()); })},
        {QStringLiteral("FontSize"), PropertyKind::Single,
         [](const SkinnedControl& c) { return QVariant(float(c.host_font().pointSizeF())); },
         [get](const SkinnedControl& c) { return QVariant(float(get(c).pointSizeF())); },
         edit([](QFont& f, const QVariant& v) {
             if (v.toFloat() > 0) f.setPointSizeF(v.toFloat());
         })},
        {QStringLiteral("FontItalic"), PropertyKind::Boolean,
         [](const SkinnedControl& c) { return QVariant(c.host_font().italic()); },
         [get](const SkinnedControl& c) { return QVariant(get(c).italic()); },
         edit([](QFont& f, const QVariant& v) { f.setItalic(v.toBool()); })},
        {QStringLiteral("FontUnderline"), PropertyKind::Boolean,
         [](const SkinnedControl& c) { return QVariant(c.host_font().underline()); },
         [get](const SkinnedControl& c) { return QVariant(get(c).underline()); },
         edit([](QFont& f, const QVariant& v) { f.setUnderline(v.toBool()); })},
    };
}

}  // namespace morvane::controls
