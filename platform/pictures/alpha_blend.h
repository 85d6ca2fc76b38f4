#pragma once
// Constant-opacity blend of a piece of one live surface onto another, as the skinned controls use it to look
// translucent over the picture behind them.
//
// Per pixel and channel: result = (source * alpha + destination * (255 - alpha) + 127) / 255, in integers.
// That is source * alpha / 255 + destination * (255 - alpha) / 255 rounded to the nearest whole value
// (halves cannot occur: the numerator is an integer and 255 is odd), so alpha 0 keeps the destination exactly
// and alpha 255 copies the source exactly. The fourth byte of the destination is left as it was.
#include "platform/pictures/image32.h"

#include <cstdint>

namespace morvane {

// Blends the source region (source_x, source_y, destination_rect.width, destination_rect.height) of `source`
// onto `destination` at destination_rect. Nothing is drawn, and false is returned, when the size is zero or
// negative, or the source region does not lie wholly inside the source image. Parts of the destination rectangle outside the destination image are clipped away, as a device
// context clips. The source may be the destination itself.
bool alpha_blend(Image32& destination, PixelRect destination_rect, const Image32& source, int source_x,
                 int source_y, uint8_t alpha);

// One channel of the blend above.
inline uint8_t blend_channel(uint8_t source, uint8_t destination, uint8_t alpha) {
    return uint8_t((unsigned(source) * alpha + unsigned(destination) * (255u - alpha) + 127u) / 255u);
}

}  // namespace morvane
