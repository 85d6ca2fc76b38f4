#include "controls/core/skin.h"

#include "platform/pictures/alpha_blend.h"
#include "platform/system/system_colors.h"

#include <algorithm>
#include <cmath>

namespace morvane::controls {

namespace {

int pixel_of(double coordinate) { return int(std::lround(coordinate)); }

void paint_line(Image32& surface, const EdgeLine& line) {
    const int x1 = pixel_of(std::min(line.x1, line.x2)), x2 = pixel_of(std::max(line.x1, line.x2));
    const int y1 = pixel_of(std::min(line.y1, line.y2)), y2 = pixel_of(std::max(line.y1, line.y2));
    paint_rect(surface, PixelRect{x1, y1, x2 - x1 + 1, y2 - y1 + 1}, line.color);
}

}  // namespace

void place_box_edge(EdgeLines& lines, double w, double h) {
    lines.top.x1 = 0, lines.top.y1 = 0, lines.top.x2 = w, lines.top.y2 = 0;
    lines.left.x1 = 0, lines.left.y1 = 0, lines.left.x2 = 0, lines.left.y2 = h - 1;
    lines.right.x1 = w - 1, lines.right.y1 = 0, lines.right.x2 = w - 1, lines.right.y2 = h - 1;
    lines.bottom.x1 = 0, lines.bottom.y1 = h - 1, lines.bottom.x2 = w, lines.bottom.y2 = h - 1;
}

void color_edge(EdgeLines& lines, EdgeLook look, uint32_t light, uint32_t dark) {
    const uint32_t top_left = look == EdgeLook::Raised ? light : dark;
    const uint32_t bottom_right = look == EdgeLook::Raised ? dark : light;
    lines.top.color = lines.left.color = top_left;
    lines.right.color = lines.bottom.color = bottom_right;
}

BackgroundBlend blend_of(const Image32& picture, int x, int y, PixelRect rect, uint8_t opacity) {
    BackgroundBlend blend{{}, rect, opacity};
    if (rect.width <= 0 || rect.height <= 0) return blend;
    Image32 piece(rect.width, rect.height);
    if (alpha_blend(piece, PixelRect{0, 0, rect.width, rect.height}, picture, x, y, 255)) blend.piece = std::move(piece);
    return blend;
}

void paint_background(Image32& surface, uint32_t back, const BackgroundBlend* blend) {
    paint_rect(surface, PixelRect{0, 0, surface.width, surface.height}, back);
    if (blend != nullptr && !blend->piece.empty())
        alpha_blend(surface, blend->rect, blend->piece, 0, 0, blend->opacity);
}

void paint_rect(Image32& surface, PixelRect rect, uint32_t color) {
    const PixelRect visible = clip_to(surface, rect);
    const Bgra p = bgra_from_colorref(resolve_classic_color(color));
    for (int y = visible.y; y < visible.y + visible.height; ++y)
        for (int x = visible.x; x < visible.x + visible.width; ++x) surface.set_pixel(x, y, p);
}

void paint_edge_lines(Image32& surface, const EdgeLines& lines) {
    for (const EdgeLine* line : {&lines.top, &lines.left, &lines.right, &lines.bottom}) paint_line(surface, *line);
}

void paint_focus_mark(Image32& surface, PixelRect rect, uint32_t color) {
    if (rect.width <= 0 || rect.height <= 0) return;
    const int left = rect.x, top = rect.y, right = rect.x + rect.width - 1, bottom = rect.y + rect.height - 1;
    auto dot = [&](int x, int y) {
        if ((x - left + y - top) % 2 == 0) paint_rect(surface, PixelRect{x, y, 1, 1}, color);
    };
    for (int x = left; x <= right; ++x) {
        dot(x, top);
        if (bottom != top) dot(x, bottom);
    }
    for (int y = top + 1; y < bottom; ++y) {
        dot(left, y);
        if (right != left) dot(right, y);
    }
}

}  // namespace morvane::controls
