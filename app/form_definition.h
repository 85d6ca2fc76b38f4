#pragma once
// A window's layout as data: one row per control, as the designer drew it, read by the controls through
// their read-settings entry. Positions and sizes are pixels relative to the control's container.
#include "controls/property_bag.h"

#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

namespace morvane::app {

enum class ControlKind {
    Label,        // TextLabel
    SymbolLabel,  // the close glyph
    Frame,        // elframe
    Combo,        // elcombo
    Button,       // elboton
    ProgressBar,  // elprogress
    PictureBox,   // a picture surface; shown through a PictureView when "visible" is true
};

struct ControlDefinition {
    QString name;
    ControlKind kind;
    QString container;  // "" for the form itself
    QRect place;        // pixels: x, y in the container; width x height
    controls::PropertyBag settings;
};

struct FormDefinition {
    QString name;
    int client_width = 0;   // pixels
    int client_height = 0;  // pixels
    uint32_t back_color = 0;  // 0x00BBGGRR
    std::vector<ControlDefinition> controls;  // containers before what they hold
};

FormDefinition main_form_definition();
FormDefinition process_form_definition();

}  // namespace morvane::app
