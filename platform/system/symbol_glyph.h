#pragma once
// The two symbols the windows show with the "Marlett" symbol font, and the shapes that stand in for them where
// the system lacks that font (Linux; Wine): the same box, size and colour, so the look is the same. Both hosts
// draw the stand-ins from these rows.
#include "platform/pictures/image32.h"

#include <string>
#include <vector>

namespace morvane {

enum class SymbolGlyph {
    Close,         // Marlett "r": the close cross of a title line
    DownTriangle,  // Marlett "6": the drop-down triangle of a combo box
};

// The Marlett character of a glyph ("r" or "6").
std::string marlett_character(SymbolGlyph glyph);

// Pixels of a point size at a screen's dots per inch (96 when unknown), at least 1.
int pixels_of_points(double point_size, int dots_per_inch);

// The stand-in shape centred in `box`, as the rectangles to fill, for a font of `em` pixels: Marlett's cross
// is (em * 0.6) wide and one row less high with strokes two pixels wide; its triangle is (em * 0.54, odd)
// wide at the top and one pixel at the tip.
std::vector<PixelRect> symbol_shape(SymbolGlyph glyph, PixelRect box, int em);

}  // namespace morvane
