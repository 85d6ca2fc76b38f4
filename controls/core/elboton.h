#pragma once
// elboton, the push button: a flat rectangle with a raised one-pixel edge and a one-line caption (its look in
// button_face.h). While the left button holds it down (or Space) the edge colours swap. Events: Click,
// MouseDown, MouseMove (over the caption only), MouseUp; no DblClick.
#include "controls/core/button_face.h"
#include "controls/core/skinned_control.h"

namespace morvane::controls {

class elboton : public SkinnedControl<ButtonFace> {
public:
    elboton() : SkinnedControl(button_properties(), kButtonSizeRule, TwipsSize{1200, 360}) {}

    ButtonState state;  // held down (by the left button or Space), and the focus mark, as the host last said

    bool DropShadow() const { return face_.drop_shadow; }
    void set_DropShadow(bool on) { set_property("DropShadow", on); }
    FontSpec Font() const { return face_.font; }
    void set_Font(const FontSpec& font);  // the five font keys; the window hears "Font" once
    uint32_t ForeColor() const { return face_.fore; }
    void set_ForeColor(uint32_t color) { set_property("ForeColor", int64_t(color)); }  // the shadow stays black
    const std::string& Caption() const { return face_.caption; }
    void set_Caption(const std::string& text) { set_property("Caption", text); }
    bool CenterCaption() const { return face_.center_caption; }
    void set_CenterCaption(bool on) { set_property("CenterCaption", on); }
    // The edge's colours as shown now: swapped while the button is held down.
    uint32_t Color3DLight() const { return state.held ? face_.dark : face_.light; }
    uint32_t Color3DDark() const { return state.held ? face_.light : face_.dark; }

    // The mouse over the button, in its pixels; the host has set `state.held` first, so that the events come
    // after the look changed.
    void mouse_down(const MouseArgs& a, const CaptionPlace& caption);
    void mouse_move(const MouseArgs& a, const CaptionPlace& caption);
    void mouse_up(const MouseArgs& a);

private:
    bool pressed_on_caption_ = false;
};

}  // namespace morvane::controls
