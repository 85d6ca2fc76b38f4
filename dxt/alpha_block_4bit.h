#pragma once
// The DXT3 alpha block: every pixel's alpha stored in 4 bits, rounded to the nearest of the 16 levels
// that decoders widen as value * 17.
#include "dxt/block_pixels.h"

#include <cstdint>

namespace morvane::dxt {

MORVANE_DXT_INLINE void encode_alpha_4bit_block(const BlockPixels& px, uint8_t* out) {
    for (int i = 0; i < 8; ++i) {
        int low = (px.a[2 * i] + 8) / 17, high = (px.a[2 * i + 1] + 8) / 17;
        out[i] = uint8_t(low | (high << 4));
    }
}

}  // namespace morvane::dxt
