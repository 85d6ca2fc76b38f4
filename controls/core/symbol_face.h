#pragma once
// A symbol of the "Marlett" font in a box: the close glyph of a title line and the combo box's triangle. Drawn
// with Marlett where the system has it, otherwise as the stand-in shape of the same size (platform/system/symbol_glyph.h).
#include "controls/core/text.h"
#include "platform/pictures/image32.h"
#include "platform/system/symbol_glyph.h"

#include <cstdint>

namespace morvane::controls {

struct SymbolFace {
    SymbolGlyph glyph = SymbolGlyph::Close;
    uint32_t color = 0x000000;  // 0x00BBGGRR or system colour
    double points = 9.75;
    int weight = 500;
    int dots_per_inch = 96;  // of the screen, for the stand-in's size
};

// Centred in `box` of `surface`, clipped to it.
void paint_symbol(Image32& surface, const SymbolFace& face, PixelRect box, TextService& text);

}  // namespace morvane::controls
