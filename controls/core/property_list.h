#pragma once
// Each control declares every stored property once, over the plain struct of its look: the settings key and the
// member it lives in; its default is that member's in a face made with no settings (`Face{}`), so a default is
// written once, in the struct. Reading a window layout's settings, writing them back (defaults left out),
// setting a property by its key and reading it all come from that one list, in its order.
//
//   static const PropertyList<FrameFace> kFrame = {color("BackColor", &FrameFace::back), ...};
//   read_settings(face, kFrame, layout_row.settings, host_font);
#include "controls/core/settings.h"
#include "controls/core/text.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvane::controls {

template <class Face>
struct FaceProperty {
    std::string key;  // as spelled in the interface; matched in any case
    std::function<SettingValue(const Face&)> get;
    std::function<void(Face&, const SettingValue&)> set;
    std::function<SettingValue(const FontSpec& host_font)> default_value;
    // How reading stored settings applies the value, where that differs from setting the property.
    std::function<void(Face&, const SettingValue&)> load = nullptr;
    bool stored = true;  // false: accepted, without effect, never read or written
};

template <class Face>
using PropertyList = std::vector<FaceProperty<Face>>;

// Colours are kept as their 32 bits, whatever sign or form a stored value has.
inline uint32_t color_value(const SettingValue& v) { return uint32_t(uint64_t(v.as_int()) & 0xFFFFFFFFu); }
inline int32_t int32_value(const SettingValue& v) {
    const int64_t i = v.as_int();
    return i < INT32_MIN ? INT32_MIN : i > INT32_MAX ? INT32_MAX : int32_t(i);
}

// A member kept as `Stored` in the settings (colours and whole numbers as 64-bit integers), read back through
// `convert`; its default is the member's value in a face made with no settings.
template <class Stored, class Face, class Member>
FaceProperty<Face> declared(const char* key, Member Face::*member, Member (*convert)(const SettingValue&)) {
    const SettingValue fallback(Stored(Face{}.*member));
    return FaceProperty<Face>{
        key, [member](const Face& f) { return SettingValue(Stored(f.*member)); },
        [member, convert](Face& f, const SettingValue& v) { f.*member = convert(v); },
        [fallback](const FontSpec&) { return fallback; }};
}

template <class Face>
FaceProperty<Face> color(const char* key, uint32_t Face::*member) {
    return declared<int64_t>(key, member, &color_value);
}

template <class Face>
FaceProperty<Face> boolean(const char* key, bool Face::*member) {
    return declared<bool>(key, member, +[](const SettingValue& v) { return v.as_bool(); });
}

template <class Face>
FaceProperty<Face> whole(const char* key, int32_t Face::*member) {
    return declared<int64_t>(key, member, &int32_value);
}

template <class Face>
FaceProperty<Face> text(const char* key, std::string Face::*member) {
    return declared<std::string>(key, member, +[](const SettingValue& v) { return v.as_text(); });
}

// FontName, FontSize, FontItalic, FontUnderline over one font of the face, their defaults the host window's
// font; FontBold carries the boldness that the host's font object would.
template <class Face>
std::vector<FaceProperty<Face>> font_keys(FontSpec Face::*font) {
    auto part = [font](const char* key, std::function<SettingValue(const FontSpec&)> get,
                       std::function<void(FontSpec&, const SettingValue&)> set) {
        return FaceProperty<Face>{key, [font, get](const Face& f) { return get(f.*font); },
                                  [font, set](Face& f, const SettingValue& v) { set(f.*font, v); }, get};
    };
    return {
        part("FontName", [](const FontSpec& f) { return SettingValue(f.family); },
             [](FontSpec& f, const SettingValue& v) { if (!v.as_text().empty()) f.family = v.as_text(); }),
        part("FontSize", [](const FontSpec& f) { return SettingValue(f.points); },
             [](FontSpec& f, const SettingValue& v) { if (v.as_double() > 0) f.points = v.as_double(); }),
        part("FontBold", [](const FontSpec& f) { return SettingValue(f.weight >= 600); },
             [](FontSpec& f, const SettingValue& v) { f.weight = v.as_bool() ? 700 : 400; }),
        part("FontItalic", [](const FontSpec& f) { return SettingValue(f.italic); },
             [](FontSpec& f, const SettingValue& v) { f.italic = v.as_bool(); }),
        part("FontUnderline", [](const FontSpec& f) { return SettingValue(f.underline); },
             [](FontSpec& f, const SettingValue& v) { f.underline = v.as_bool(); }),
    };
}

// A property accepted and reported as changed, without effect: it reads back its default.
template <class Face>
FaceProperty<Face> inert(const char* key, SettingValue fallback) {
    return FaceProperty<Face>{key, [fallback](const Face&) { return fallback; }, [](Face&, const SettingValue&) {},
                              [fallback](const FontSpec&) { return fallback; }, nullptr, false};
}

// Applies every stored property of the list in its order; an absent key takes its default.
template <class Face>
void read_settings(Face& face, const PropertyList<Face>& list, const Settings& settings, const FontSpec& host_font) {
    for (const auto& p : list) {
        if (!p.stored) continue;
        (p.load ? p.load : p.set)(face, settings.read(p.key, p.default_value(host_font)));
    }
}

// Writes every stored property; a value equal to its default is left out.
template <class Face>
void write_settings(const Face& face, const PropertyList<Face>& list, Settings& settings, const FontSpec& host_font) {
    for (const auto& p : list)
        if (p.stored) settings.write(p.key, p.get(face), p.default_value(host_font));
}

// The declaration of a key (any case), or nullptr for a key the list does not have.
template <class Face>
const FaceProperty<Face>* find_property(const PropertyList<Face>& list, const std::string& key) {
    const std::string wanted = lower_case(key);
    for (const auto& p : list)
        if (lower_case(p.key) == wanted) return &p;
    return nullptr;
}

// Sets one property by its key (any case); false for a key the list does not have.
template <class Face>
bool set_property(Face& face, const PropertyList<Face>& list, const std::string& key, const SettingValue& value) {
    const FaceProperty<Face>* p = find_property(list, key);
    if (p == nullptr) return false;
    p->set(face, value);
    return true;
}

}  // namespace morvane::controls
