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
    return PropertyDecl{.key = QString::fromLatin1(key),
                        .kind = kind,
                        .default_value = read,
                        .get = read,
                        .apply = [](SkinnedControl&, const QVariant&) {},
                        .stored = false};
}

std::vector<PropertyDecl> declare_font(FontGetter get, FontSetter set, std::any setter) {
    using Part = QVariant (*)(const QFont&);
    using Change = void (*)(QFont&, const QVariant&);
    // One key over one part of the font: its default is that part of the host's font.
    auto part = [get, set](const char* key, PropertyKind kind, Part read, Change change) {
        return PropertyDecl{.key = QString::fromLatin1(key),
                            .kind = kind,
                            .default_value = [read](const SkinnedControl& c) { return read(c.host_font()); },
                            .get = [get, read](const SkinnedControl& c) { return read(get(c)); },
                            .apply = [get, set, change](SkinnedControl& c, const QVariant& v) {
                                QFont f = get(c);
                                change(f, v);
                                set(c, f);
                            }};
    };
    std::vector<PropertyDecl> font{
        part("Font", PropertyKind::Font, [](const QFont& f) { return QVariant(f); },
             [](QFont& f, const QVariant& v) { f = v.value<QFont>(); }),
        part("FontName", PropertyKind::Text, [](const QFont& f) { return QVariant(f.family()); },
             [](QFont& f, const QVariant& v) { f.setFamily(v.toString()); }),
        part("FontSize", PropertyKind::Single, [](const QFont& f) { return QVariant(float(f.pointSizeF())); },
             [](QFont& f, const QVariant& v) {
                 if (v.toFloat() > 0) f.setPointSizeF(v.toFloat());
             }),
        part("FontItalic", PropertyKind::Boolean, [](const QFont& f) { return QVariant(f.italic()); },
             [](QFont& f, const QVariant& v) { f.setItalic(v.toBool()); }),
        part("FontUnderline", PropertyKind::Boolean, [](const QFont& f) { return QVariant(f.underline()); },
             [](QFont& f, const QVariant& v) { f.setUnderline(v.toBool()); }),
    };
    font.front().setter = std::move(setter);  // set_Font reports "Font"
    return font;
}

}  // namespace morvane::controls
