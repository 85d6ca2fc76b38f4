#pragma once
// The DXT5 alpha block: two 8-bit endpoints and a 3-bit selector per pixel. With alpha0 > alpha1 the
// palette is the two endpoints and six values between them; otherwise the two endpoints, four values
// between them, 0 and 255. Entries are computed as the common decoders do, with truncating division.
#include "dxt/block_pixels.h"

#include <cstdint>

namespace morvane::dxt {

struct AlphaPalette {
    int32_t value[8];
};

MORVANE_DXT_INLINE AlphaPalette alpha_palette(int alpha0, int alpha1) {
    AlphaPalette p;
    p.value[0] = alpha0;
    p.value[1] = alpha1;
    if (alpha0 > alpha1) {
        for (int i = 1; i < 7; ++i) p.value[1 + i] = ((7 - i) * alpha0 + i * alpha1) / 7;
    } else {
        for (int i = 1; i < 5; ++i) p.value[1 + i] = ((5 - i) * alpha0 + i * alpha1) / 5;
        p.value[6] = 0;
        p.value[7] = 255;
    }
    return p;
}

// Encodes the alpha of `px` into out[0..7]. A block of one alpha value (every opaque picture) is written
// directly and decodes exactly.
void encode_alpha_block(const BlockPixels& px, uint8_t* out);

}  // namespace morvane::dxt
