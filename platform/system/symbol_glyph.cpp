#include "platform/system/symbol_glyph.h"

#include <algorithm>
#include <cmath>

namespace morvane {

std::string marlett_character(SymbolGlyph glyph) { return glyph == SymbolGlyph::Close ? "r" : "6"; }

int pixels_of_points(double point_size, int dots_per_inch) {
    const int dpi = dots_per_inch > 0 ? dots_per_inch : 96;
    return std::max(1, int(std::lround(point_size * dpi / 72.0)));
}

std::vector<PixelRect> symbol_shape(SymbolGlyph glyph, PixelRect box, int em) {
    std::vector<PixelRect> rows;
    if (glyph == SymbolGlyph::Close) {
        const int width = std::max(4, int(std::lround(em * 0.6)));
        const int height = width - 1;
        const int x0 = box.x + (box.width - width) / 2;
        const int y0 = box.y + (box.height - height) / 2;
        for (int i = 0; i < height; ++i) {
            rows.push_back(PixelRect{x0 + i, y0 + i, 2, 1});
            rows.push_back(PixelRect{x0 + width - 2 - i, y0 + i, 2, 1});
        }
        return rows;
    }
    int width = std::max(3, int(std::lround(em * 0.54)));
    if (width % 2 == 0) ++width;
    const int count = (width + 1) / 2;
    const int x0 = box.x + (box.width - width) / 2;
    const int y0 = box.y + (box.height - count) / 2;
    for (int r = 0; r < count; ++r) rows.push_back(PixelRect{x0 + r, y0 + r, width - 2 * r, 1});
    return rows;
}

}  // namespace morvane
