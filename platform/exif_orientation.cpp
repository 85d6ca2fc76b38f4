#include "platform/exif_orientation.h"

#include <cstring>

namespace morvane {

Image32 upright(Image32 stored, int orientation) {
    if (orientation < 2 || orientation > 8 || stored.empty()) return stored;
    const int w = stored.width, h = stored.height;
    const bool exchanged = orientation >= 5;
    const Image32& src = stored;
    Image32 out(exchanged ? h : w, exchanged ? w : h);
    for (int y = 0; y < out.height; ++y) {
        uint8_t* row = out.row(y);
        for (int x = 0; x < out.width; ++x) {
            int sx = x, sy = y;  // the stored pixel that shows at (x, y)
            switch (orientation) {
                case 2: sx = w - 1 - x; break;
                case 3: sx = w - 1 - x; sy = h - 1 - y; break;
                case 4: sy = h - 1 - y; break;
                case 5: sx = y; sy = x; break;
                case 6: sx = y; sy = h - 1 - x; break;
                case 7: sx = w - 1 - y; sy = h - 1 - x; break;
                case 8: sx = w - 1 - y; sy = x; break;
            }
            std::memcpy(row + size_t(x) * 4, src.row(sy) + size_t(sx) * 4, 4);
        }
    }
    return out;
}

}  // namespace morvane
