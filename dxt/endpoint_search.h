#pragma once
// Candidate endpoint pairs near the best one so far, every candidate scored with freshly chosen selectors
// on the decoded palette: per channel, either endpoint moved one step, both moved together (a shift) and
// both moved apart or closer (a stretch). The refinement before it is exact for fixed selectors; this
// finds the gains that need selectors to move.
#include "dxt/block_pixels.h"
#include "dxt/colour_block.h"
#include "dxt/palette_error.h"

namespace morvane::dxt {

struct EndpointMove {
    int8_t channel;  // 0 red, 1 green, 2 blue
    int8_t first, second;  // steps of each endpoint
};

inline constexpr EndpointMove kEndpointMoves[] = {
    {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}, {0, 1, 1}, {0, -1, -1}, {0, 1, -1}, {0, -1, 1},
    {1, 1, 0}, {1, -1, 0}, {1, 0, 1}, {1, 0, -1}, {1, 1, 1}, {1, -1, -1}, {1, 1, -1}, {1, -1, 1},
    {2, 1, 0}, {2, -1, 0}, {2, 0, 1}, {2, 0, -1}, {2, 1, 1}, {2, -1, -1}, {2, 1, -1}, {2, -1, 1},
};

MORVANE_DXT_INLINE bool apply_move(EndpointPair& e, EndpointMove m) {
    int top = m.channel == 1 ? 63 : 31;
    int& a = m.channel == 0 ? e.first.r : m.channel == 1 ? e.first.g : e.first.b;
    int& b = m.channel == 0 ? e.second.r : m.channel == 1 ? e.second.g : e.second.b;
    a += m.first;
    b += m.second;
    return a >= 0 && a <= top && b >= 0 && b <= top;
}

// Improves `best` (whose error is `best_error`) in up to `rounds` rounds, each taking the best move;
// returns the new error.
MORVANE_DXT_INLINE int32_t search_nearby_endpoints(const BlockPixels& px, PaletteMode mode, int rounds,
                                                   EndpointPair& best, int32_t best_error) {
    for (int round = 0; round < rounds && best_error > 0; ++round) {
        EndpointPair round_best = best;
        int32_t round_error = best_error;
        for (EndpointMove m : kEndpointMoves) {
            EndpointPair c = best;
            if (!apply_move(c, m)) continue;
            int32_t e = palette_error(px, decoded_palette(c, mode));
            if (e < round_error) { round_error = e; round_best = c; }
        }
        if (round_error >= best_error) break;
        best = round_best;
        best_error = round_error;
    }
    return best_error;
}

}  // namespace morvane::dxt
