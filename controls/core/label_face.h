#pragma once
// The windows' plain labels: text on a transparent back, top-aligned, left or centred, one or more lines, as a
// window layout's row gives them (caption, forecolor, fontname, fontsize, fontbold, alignment "left" or
// "center", visible, elide "middle").
#include "controls/core/settings.h"
#include "controls/core/text.h"
#include "platform/pictures/image32.h"

#include <cstdint>
#include <string>

namespace morvane::controls {

struct LabelFace {
    std::string caption;
    uint32_t fore = 0x000000;
    FontSpec font{"Tahoma", 8.25, 400, false, false};
    bool centred = false;
    bool visible = true;
    bool elided = false;  // each line shortened in the middle to the box's width ("elide" "middle")
};

LabelFace label_from_settings(const Settings& settings);

// Each line of the caption, one below the other, in `box` of `surface` and clipped to it.
void paint_label(Image32& surface, const LabelFace& face, PixelRect box, TextService& text);

// The line shortened in the middle with "..." until it fits `width_pixels` ("C:\Program Fi...\console");
// a line that fits is kept as it is. Cuts only between UTF-8 characters.
std::string elide_middle(const std::string& line, int width_pixels, const FontSpec& font, TextService& text);

}  // namespace morvane::controls
