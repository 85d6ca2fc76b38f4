#include "controls/core/symbol_face.h"

#include "controls/core/skin.h"

#include <algorithm>

namespace morvane::controls {

void paint_symbol(Image32& surface, const SymbolFace& face, PixelRect box, TextService& text) {
    const PixelRect visible = clip_to(surface, box);
    if (text.has_family("Marlett")) {
        const FontSpec marlett{"Marlett", face.points, face.weight, false, false};
        const std::string glyph = marlett_character(face.glyph);
        const TextExtent extent = text.measure(marlett, glyph);
        const PixelRect centred{box.x + (box.width - extent.width) / 2, box.y, extent.width, box.height};
        text.draw(surface, visible, marlett, glyph, centred, face.color);
        return;
    }
    for (const PixelRect& r : symbol_shape(face.glyph, box, pixels_of_points(face.points, face.dots_per_inch))) {
        const int left = std::max(r.x, visible.x), right = std::min(r.x + r.width, visible.x + visible.width);
        const int top = std::max(r.y, visible.y), bottom = std::min(r.y + r.height, visible.y + visible.height);
        if (left < right && top < bottom) paint_rect(surface, PixelRect{left, top, right - left, bottom - top}, face.color);
    }
}

}  // namespace morvane::controls
