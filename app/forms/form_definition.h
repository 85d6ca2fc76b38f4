#pragma once
// A window's layout as data: one row per control, as the designer drew it, read by the controls through
// their settings. Positions and sizes are pixels relative to the control's container. Every host builds its
// windows from these rows.
#include "controls/core/settings.h"
#include "platform/pictures/image32.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace morvane::app {

enum class ControlKind {
    Label,        // a plain text label
    SymbolLabel,  // the close glyph
    Frame,        // elframe
    Combo,        // elcombo
    Button,       // elboton
    ProgressBar,  // elprogress
    PictureBox,   // a picture surface; shown at its place when "visible" is true
};

struct ControlDefinition {
    std::string name;
    ControlKind kind;
    std::string container;  // "" for the form itself
    PixelRect place;        // pixels: x, y in the container; width x height
    controls::Settings settings;
};

struct FormDefinition {
    std::string name;
    int client_width = 0;     // pixels
    int client_height = 0;    // pixels
    uint32_t back_color = 0;  // 0x00BBGGRR
    std::vector<ControlDefinition> controls;  // containers before what they hold; later rows above earlier ones

    const ControlDefinition* find(const std::string& control) const;
};

FormDefinition main_form_definition();
FormDefinition process_form_definition();

// Each window's rows in its layout's order, named as the layout names them: how the code reaches a control.
namespace main_rows {
enum : size_t { Label1, Label2, elframe2, elframe1, Picture2, Picture1, Label3, elcombo1, elboton2, elboton1, Label4,
                Source_Buffer, Temp_Buffer };
}
namespace process_rows {
enum : size_t { Label1, Label2, elprogress1 };
}

}  // namespace morvane::app
