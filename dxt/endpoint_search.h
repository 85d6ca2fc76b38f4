#pragma once
// Candidate endpoint pairs near the best one so far: each of the six quantised endpoint channels moved one
// step up or down, every candidate scored with freshly chosen selectors on the decoded palette. The
// refinement before it is exact for fixed selectors; this finds the gains that need selectors to move.
#include "dxt/block_pixels.h"
#include "dxt/colour_block.h"
#include "dxt/palette_error.h"

namespace morvane::dxt {

// Improves `best` (whose error is `best_error`) in up to `rounds` rounds; returns the new error.
MORVANE_DXT_INLINE int32_t search_nearby_endpoints(const BlockPixels& px, PaletteMode mode, int rounds,
                                                   EndpointPair& best, int32_t best_error) {
    for (int round = 0; round < rounds && best_error > 0; ++round) {
        EndpointPair round_best = best;
        int32_t round_error = best_error;
        for (int channel = 0; channel < 6; ++channel) {
            for (int step = -1; step <= 1; step += 2) {
                EndpointPair c = best;
                Colour565& end = channel < 3 ? c.first : c.second;
                int* v = channel % 3 == 0 ? &end.r : channel % 3 == 1 ? &end.g : &end.b;
                int top = channel % 3 == 1 ? 63 : 31;
                *v += step;
                if (*v < 0 || *v > top) continue;
                int32_t e = palette_error(px, decoded_palette(c, mode));
                if (e < round_error) { round_error = e; round_best = c; }
            }
        }
        if (round_error >= best_error) break;
        best = round_best;
        best_error = round_error;
    }
    return best_error;
}

}  // namespace morvane::dxt
