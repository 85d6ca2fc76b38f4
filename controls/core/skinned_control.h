#pragma once
// What the four skinned controls share, apart from any host: the look (a plain struct whose properties are
// declared once in its property list), the outer size in twips under the control's size rule, the stored
// settings, the setters that tell the window what changed, the background blend, and the events the control
// raises. A host turns its input into the calls below and paints what the control's paint function draws.
//
//   elboton button;  button.events.Click = [&] { ... };
//   button.read_properties(layout_row.settings, window_font);  button.set_size_twips(1755, 360);
#include "controls/core/outer_size.h"
#include "controls/core/property_list.h"
#include "controls/core/skin.h"
#include "platform/outcome.h"

#include <cstdint>
#include <functional>
#include <string>

namespace morvane::controls {

// The arguments of MouseDown, MouseMove and MouseUp.
struct MouseArgs {
    int16_t button = 0;  // 1 left, 2 right, 4 middle (for MouseMove: the buttons held)
    int16_t shift = 0;   // 1 Shift, 2 Ctrl, 4 Alt
    float x = 0, y = 0;  // pixels, in the control's own coordinates
};

// What a control raises to the window that holds it; an event nobody set raises nothing. `Changed` is every
// setter's notification, with the property's key as its list declares it.
struct ControlEvents {
    std::function<void()> Click, DblClick;
    std::function<void(const MouseArgs&)> MouseDown, MouseMove, MouseUp;
    std::function<void(const std::string& key)> Changed;
};

template <class Face>
class SkinnedControl {
public:
    ControlEvents events;

    const Face& face() const { return face_; }
    TwipsSize size_twips() const { return outer_; }
    // The rule forces the height and raises the width; nothing else can give a control another size.
    void set_size_twips(double width, double height) { outer_ = apply_size_rule(rule_, TwipsSize{width, height}); }
    // The screen's ratios, which turn the outer size into the surface's pixels.
    void set_ratios(TwipsPerPixel ratios) { ratios_ = ratios; }

    // Every stored property in the list's order, absent keys at their defaults; no notification (the layout
    // holds these values already).
    void read_properties(const Settings& settings, const FontSpec& host_font) {
        read_settings(face_, list_, settings, host_font);
    }
    void write_properties(Settings& settings, const FontSpec& host_font) const {
        write_settings(face_, list_, settings, host_font);
    }
    // Sets a property by its key (any case) and notifies; false for a key the control does not have.
    bool set_property(const std::string& key, const SettingValue& value) {
        const FaceProperty<Face>* p = find_property(list_, key);
        if (p == nullptr) return false;
        p->set(face_, value);
        if (p->key == "BackColor" && !keeps_blend_) blend_.piece = {};  // the plain fill again
        if (events.Changed) events.Changed(p->key);
        return true;
    }
    SettingValue property_value(const std::string& key) const {
        const FaceProperty<Face>* p = find_property(list_, key);
        return p != nullptr ? p->get(face_) : SettingValue();
    }

    // Clears the surface to BackColor and blends the region at (X, Y) of `origen` onto it at `cantidad`
    // (0 plain fill .. 255 copy), inside the one-pixel edge (the combo box: all of it). A value outside 0..255
    // is refused and leaves the surface as it was; a region outside the picture leaves the plain fill.
    Outcome obtener_imagen_fondo(const Image32& origen, int32_t X, int32_t Y, int16_t cantidad) {
        if (cantidad < 0 || cantidad > 255)
            return Outcome::failed("obtener_imagen_fondo: opacity " + std::to_string(cantidad) +
                                   " is outside 0..255; the control's background was left as it was");
        const SurfaceSize s = surface_size(outer_, ratios_);
        const PixelRect rect = whole_blend_ ? PixelRect{0, 0, s.width, s.height} : PixelRect{1, 1, s.width - 2, s.height - 2};
        blend_ = blend_of(origen, X, Y, rect, uint8_t(cantidad));
        return Outcome::done();
    }
    const BackgroundBlend* blend() const { return blend_.piece.empty() ? nullptr : &blend_; }

    uint32_t BackColor() const { return color_value(property_value("BackColor")); }
    void set_BackColor(uint32_t color) { set_property("BackColor", int64_t(color)); }
    bool Enabled() const { return property_value("Enabled").as_bool(); }  // a disabled control looks the same
    void set_Enabled(bool on) { set_property("Enabled", on); }
    void set_Color3DLight(uint32_t color) { set_property("Color3DLight", int64_t(color)); }
    void set_Color3DDark(uint32_t color) { set_property("Color3DDark", int64_t(color)); }

    // Input from the host, in the control's pixels: the events the window hears.
    void mouse_down(const MouseArgs& a) { raise(events.MouseDown, a); }
    void mouse_move(const MouseArgs& a) { raise(events.MouseMove, a); }
    void mouse_up(const MouseArgs& a) { raise(events.MouseUp, a); }
    void click() {
        if (events.Click && Enabled()) events.Click();
    }

protected:
    SkinnedControl(const PropertyList<Face>& list, SizeRule rule, TwipsSize initial, Face face = {},
                   bool whole_blend = false, bool keeps_blend = false)
        : face_(std::move(face)), list_(list), rule_(rule), whole_blend_(whole_blend), keeps_blend_(keeps_blend) {
        set_size_twips(initial.width, initial.height);
    }
    static void raise(const std::function<void(const MouseArgs&)>& event, const MouseArgs& a) {
        if (event) event(a);
    }

    Face face_;

private:
    const PropertyList<Face>& list_;
    SizeRule rule_;
    bool whole_blend_;  // the combo box blends over all of itself, edge included
    bool keeps_blend_;  // the bar repeats its blend on every redraw, through a change of BackColor too
    TwipsSize outer_;
    TwipsPerPixel ratios_;
    BackgroundBlend blend_;
};

}  // namespace morvane::controls
