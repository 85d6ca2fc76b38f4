#pragma once
// The error of a block against a decoded palette: every pixel takes its nearest entry, and the error is
// the sum of squared RGB differences, unweighted, as picture quality (PSNR) is measured.
// Written as plain loops over the 16 pixels so the compiler vectorises them for the instruction set
// each block encoder is built for.
#include "dxt/block_pixels.h"
#include "dxt/colour_block.h"

#include <cstdint>

namespace morvane::dxt {

MORVANE_DXT_INLINE int32_t distance_to(const BlockPixels& px, int i, const Palette& p, int k) {
    int32_t dr = px.r[i] - p.r[k], dg = px.g[i] - p.g[k], db = px.b[i] - p.b[k];
    return dr * dr + dg * dg + db * db;
}

// Nearest entry for every pixel (ties to the lower entry); returns the total squared error.
MORVANE_DXT_INLINE int32_t choose_selectors(const BlockPixels& px, const Palette& p, uint8_t selectors[16]) {
    // Sums are kept inside the loops that compute them: the compiler then reduces in registers.
    int32_t total = 0;
    for (int i = 0; i < 16; ++i) {
        int32_t best = distance_to(px, i, p, 0), index = 0;
        for (int k = 1; k < 4; ++k) {
            int32_t d = distance_to(px, i, p, k);
            index = d < best ? k : index;
            best = d < best ? d : best;
        }
        total += best;
        selectors[i] = uint8_t(index);
    }
    return total;
}

}  // namespace morvane::dxt
