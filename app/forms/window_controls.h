#pragma once
// A window's controls as plain data, made from its layout: each row's look read from its settings through the
// control's own property list, its outer size after the control's size rule, and its live state (a button held,
// the list's entries, the bar's value, the focus mark). Hosts keep one per window, change it as events come,
// and paint from it; nothing here knows a host.
#include "app/forms/form_definition.h"
#include "controls/core/button_face.h"
#include "controls/core/combo_face.h"
#include "controls/core/frame_face.h"
#include "controls/core/label_face.h"
#include "controls/core/progress_face.h"
#include "controls/core/symbol_face.h"
#include "controls/core/text.h"
#include "platform/pictures/image32.h"
#include "platform/pictures/twips.h"

#include <map>
#include <string>
#include <vector>

namespace morvane::app {

struct LiveControl {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string container;   // "" for the window itself
    PixelRect place;         // pixels: x, y in the container; width x height of its surface
    controls::TwipsSize outer;  // twips, after the size rule
    bool visible = true;

    // The look and state of its kind; the others keep their defaults.
    controls::ButtonFace button;
    controls::ButtonState button_state;
    controls::FrameFace frame;
    controls::ComboFace combo;
    controls::ComboList list;
    controls::ComboState combo_state;
    controls::ProgressFace progress;
    controls::LabelFace label;
    controls::SymbolFace symbol;
    bool symbol_focus_mark = false;
};

class WindowControls {
public:
    // The window's font is the default of the controls' font keys.
    WindowControls(const FormDefinition& layout, TwipsPerPixel ratios, const controls::FontSpec& window_font);

    LiveControl* find(const std::string& name);
    const LiveControl* find(const std::string& name) const;
    const std::vector<LiveControl>& all() const { return controls_; }
    const FormDefinition& layout() const { return layout_; }
    TwipsPerPixel ratios() const { return ratios_; }

    // Where the control lies in the window's client area, and the part of that its containers let show.
    PixelRect window_place(const LiveControl& control) const;
    PixelRect visible_place(const LiveControl& control) const;

private:
    FormDefinition layout_;
    TwipsPerPixel ratios_;
    std::vector<LiveControl> controls_;  // in the layout's order
};

// One control on its own surface (sized to place.width x place.height): buttons, the list, the bar, frames
// (fill and edge only), labels and symbols on whatever the surface holds.
void paint_control(Image32& surface, const LiveControl& control, TwipsPerPixel ratios, controls::TextService& text);

// The whole client area as it looks: the window's colour, then every row in order, each clipped by its
// container, frames holding what lies in them below their edge. `pictures` holds the visible picture boxes'
// pixels by name.
void paint_window(Image32& window, const WindowControls& controls, const std::map<std::string, const Image32*>& pictures,
                  controls::TextService& text);

}  // namespace morvane::app
