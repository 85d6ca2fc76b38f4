#pragma once
// The 16 pixels of one 4 x 4 block, one array per channel so that the fits can run over all 16 at once.
// Blocks on the right or bottom edge of a picture whose size is not a multiple of 4 repeat the last
// real column or row, so padding adds no new colour.
#include <cstddef>
#include <cstdint>

// The fits are small functions composed per block; forcing them inline lets each block encoder be compiled
// once per instruction set with everything it calls (see image_walker.cpp).
#define MORVANE_DXT_INLINE [[gnu::always_inline]] inline

namespace morvane::dxt {

struct BlockPixels {
    alignas(64) int32_t r[16];
    alignas(64) int32_t g[16];
    alignas(64) int32_t b[16];
    alignas(64) int32_t a[16];
};

// Pixels are B, G, R, A bytes, rows top first without padding; (block_x, block_y) counts blocks.
MORVANE_DXT_INLINE void load_block(const uint8_t* bgra, int width, int height, int block_x, int block_y,
                                   BlockPixels& px) {
    for (int y = 0; y < 4; ++y) {
        int sy = block_y * 4 + y;
        if (sy >= height) sy = height - 1;
        const uint8_t* row = bgra + size_t(sy) * size_t(width) * 4;
        for (int x = 0; x < 4; ++x) {
            int sx = block_x * 4 + x;
            if (sx >= width) sx = width - 1;
            const uint8_t* p = row + size_t(sx) * 4;
            int i = y * 4 + x;
            px.b[i] = p[0];
            px.g[i] = p[1];
            px.r[i] = p[2];
            px.a[i] = p[3];
        }
    }
}

MORVANE_DXT_INLINE bool colours_uniform(const BlockPixels& px) {
    int differ = 0;
    for (int i = 1; i < 16; ++i)
        differ |= (px.r[i] ^ px.r[0]) | (px.g[i] ^ px.g[0]) | (px.b[i] ^ px.b[0]);
    return differ == 0;
}

MORVANE_DXT_INLINE bool alpha_uniform(const BlockPixels& px) {
    int differ = 0;
    for (int i = 1; i < 16; ++i) differ |= px.a[i] ^ px.a[0];
    return differ == 0;
}

}  // namespace morvane::dxt
