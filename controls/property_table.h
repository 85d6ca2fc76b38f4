#pragma once
// Each skinned control declares every property once: its settings key, its kind, its default, how to read it
// and how to apply it. Reading and writing stored settings, setting a property by name and telling the host
// which key changed all come from that one declaration (see SkinnedControl).
#include <QFont>
#include <QString>
#include <QVariant>

#include <any>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

namespace morvane::controls {

class SkinnedControl;

enum class PropertyKind {
    Color,    // quint32, 0x00BBGGRR or 0x80000000 + system colour index
    Boolean,  // bool
    Int32,    // qint32
    Single,   // float (font sizes in points)
    Text,     // QString
    Font,     // QFont
};

// Brings a stored or given value to the kind's own type, so that values compare equal exactly when the
// control would show them alike (a colour given as a signed int, a decimal text or "0x..." text all become
// the same quint32; integers outside 32 bits are clamped).
QVariant normalise_property(PropertyKind kind, const QVariant& value);

struct PropertyDecl {
    QString key;  // as spelled in the interface; stored in lower case
    PropertyKind kind;
    std::function<QVariant(const SkinnedControl&)> default_value;
    std::function<QVariant(const SkinnedControl&)> get;
    std::function<void(SkinnedControl&, const QVariant&)> apply;
    // How reading stored settings applies the value, where that differs from setting the property.
    std::function<void(SkinnedControl&, const QVariant&)> load = nullptr;
    bool stored = true;    // false: accepted and reported as changed, never read or written
    std::any setter = {};  // the member that sets it: how that setter finds the key it reports
};

using PropertyTable = std::vector<PropertyDecl>;

// A property of control class C with a fixed default, read and set through its getter and setter (members of
// C or of its base); A is the type the setter takes, when it differs from T (const QString&).
template <class C, class T, class A = T>
PropertyDecl declare(const char* key, PropertyKind kind, std::type_identity_t<T> default_value,
                     std::type_identity_t<T (C::*)() const> get, std::type_identity_t<void (C::*)(A)> set) {
    return PropertyDecl{
        QString::fromLatin1(key), kind,
        [d = QVariant::fromValue(default_value), kind](const SkinnedControl&) { return normalise_property(kind, d); },
        [get](const SkinnedControl& c) { return QVariant::fromValue((static_cast<const C&>(c).*get)()); },
        [set](SkinnedControl& c, const QVariant& v) { (static_cast<C&>(c).*set)(v.value<T>()); }, nullptr, true, set};
}

// A property that is accepted and reported as changed, without effect: it reads back its default and is
// never read from or written to stored settings.
PropertyDecl declare_inert(const char* key, PropertyKind kind, const QVariant& default_value);

// The five font keys (Font, FontName, FontSize, FontItalic, FontUnderline), in that order, over one font of
// a control, read and set through the control's Font getter and setter; the four parts are set by key only.
// Their defaults come from the host window's font; the separate keys are read after Font, so they override
// the matching parts of it.
using FontGetter = std::function<QFont(const SkinnedControl&)>;
using FontSetter = std::function<void(SkinnedControl&, const QFont&)>;
std::vector<PropertyDecl> declare_font(FontGetter get, FontSetter set, std::any setter);

template <class C>
std::vector<PropertyDecl> declare_font(QFont (C::*get)() const, void (C::*set)(const QFont&)) {
    return declare_font([get](const SkinnedControl& c) { return (static_cast<const C&>(c).*get)(); },
                        [set](SkinnedControl& c, const QFont& f) { (static_cast<C&>(c).*set)(f); }, set);
}

}  // namespace morvane::controls
