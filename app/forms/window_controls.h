#pragma once
// A window's controls as plain data, made from its layout: each row's look read from its settings through the
// control's own property list, its outer size after the control's size rule, and its live state (a button held,
// the list's entries, the bar's value, the focus mark). Hosts keep one per window, change it as events come,
// and paint from it; nothing here knows a host.
#include "app/forms/form_definition.h"
#include "controls/core/elboton.h"
#include "controls/core/elcombo.h"
#include "controls/core/elframe.h"
#include "controls/core/elprogress.h"
#include "controls/core/label_face.h"
#include "controls/core/symbol_face.h"
#include "controls/core/text.h"
#include "platform/pictures/image32.h"
#include "platform/pictures/twips.h"

#include <string>
#include <vector>

namespace morvane::app {

struct LiveControl {
    std::string name;
    ControlKind kind = ControlKind::Label;
    int container = -1;      // the row that holds it; -1 for the window itself
    PixelRect place;         // pixels: x, y in the container; width x height of its surface
    bool visible = true;
    std::string accessible;  // the layout's name for a screen reader ("accessible"); see heard_name

    // The control of its kind; the others keep their defaults.
    controls::elboton button;
    controls::elframe frame;
    controls::elcombo combo;
    controls::elprogress progress;
    controls::LabelFace label;
    controls::SymbolFace symbol;
    bool symbol_focus_mark = false;
    const Image32* picture = nullptr;  // a picture box's pixels, shown when visible
};

class WindowControls {
public:
    // The window's font is the default of the controls' font keys.
    WindowControls(const FormDefinition& layout, TwipsPerPixel ratios, const controls::FontSpec& window_font);

    // The row of the layout (main_rows::elboton1, ...).
    LiveControl& at(size_t row) { return controls_.at(row); }
    const LiveControl& at(size_t row) const { return controls_.at(row); }
    const std::vector<LiveControl>& all() const { return controls_; }
    const FormDefinition& layout() const { return layout_; }
    TwipsPerPixel ratios() const { return ratios_; }

    // Where the control lies in the window's client area.
    PixelRect window_place(const LiveControl& control) const;

private:
    FormDefinition layout_;
    TwipsPerPixel ratios_;
    std::vector<LiveControl> controls_;  // in the layout's order
};

// One control on its own surface (sized to place.width x place.height): buttons, the list, the bar, frames
// (fill and edge only), labels and symbols on whatever the surface holds.
void paint_control(Image32& surface, const LiveControl& control, TwipsPerPixel ratios, controls::TextService& text);

// The whole client area as it looks: the window's colour, then every row in order, each clipped by its
// container, frames holding what lies in them below their edge.
void paint_window(Image32& window, const WindowControls& controls, controls::TextService& text);

// What a screen reader calls the control: the layout's name for it, or a button's caption as it is now.
std::string heard_name(const LiveControl& control);

// What a screen reader hears as the bar's value: how far it has come, in per cent ("40%").
std::string progress_percent(const controls::elprogress& bar);

}  // namespace morvane::app
