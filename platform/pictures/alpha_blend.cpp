#include "platform/pictures/alpha_blend.h"

#include <algorithm>
#include <vector>

namespace morvane {

namespace {

bool inside(const Image32& image, int x, int y, int width, int height) {
    return x >= 0 && y >= 0 && int64_t(x) + width <= image.width && int64_t(y) + height <= image.height;
}

}  // namespace

bool alpha_blend(Image32& destination, PixelRect rect, const Image32& source, int source_x, int source_y,
                 uint8_t alpha) {
    if (rect.width <= 0 || rect.height <= 0) return false;
    const Image32* found = &source;
    if (!source.well_formed() || !inside(source, source_x, source_y, rect.width, rect.height)) return false;

    // Clip the destination rectangle, moving the source origin along with it.
    const PixelRect visible = clip_to(destination, rect);
    if (visible.width == 0 || visible.height == 0) return true;  // accepted, nothing visible to draw
    const int left = visible.x, right = visible.x + visible.width;
    const int top = visible.y, bottom = visible.y + visible.height;
    const int sx0 = source_x + (left - rect.x);
    const int sy0 = source_y + (top - rect.y);

    // Blending a surface onto itself must read the pixels as they were before the blend began.
    Image32 copy;
    const Image32* from = found;
    if (found == &destination) {
        copy = destination;
        from = &copy;
    }

    for (int y = top; y < bottom; ++y) {
        const uint8_t* s = from->row(sy0 + (y - top)) + size_t(sx0) * 4;
        uint8_t* d = destination.row(y) + size_t(left) * 4;
        for (int x = left; x < right; ++x, s += 4, d += 4) {
            d[0] = blend_channel(s[0], d[0], alpha);
            d[1] = blend_channel(s[1], d[1], alpha);
            d[2] = blend_channel(s[2], d[2], alpha);
        }
    }
    return true;
}

}  // namespace morvane
