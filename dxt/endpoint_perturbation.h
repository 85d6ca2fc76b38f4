#pragma once
// The last step of every block that is not already close: the endpoints perturbed around the best pair until
// no step lowers the error. Two kinds of step alternate: the moves of one channel (endpoint_search.h), and
// moves across channels, one endpoint stepped in any combination of red, green and blue at once or both
// endpoints shifted together that way (26 directions each, 78 moves), which follow a block's colours where
// they run diagonally through the 5:6:5 grid. Every candidate is scored on its decoded palette with freshly
// chosen selectors, and after every gain the selectors and the exact refinement are taken again.
#include "dxt/block_pixels.h"
#include "dxt/colour_block.h"
#include "dxt/endpoint_search.h"
#include "dxt/least_squares_refine.h"

namespace morvane::dxt {

// Rounds at most; blocks settle in far fewer, this only bounds the time one block can take.
inline constexpr int kPerturbationRounds = 32;

// The 78 moves across channels: one endpoint (which 0: the first, 1: the second) or both (2) stepped by -1, 0 or 1
// in each channel, not all 0; each channel's step as a way (endpoint_search.h).
inline constexpr int kMovesAcross = 78;
inline constexpr struct MovesAcross {
    int8_t which[kMovesAcross], step[kMovesAcross][3], way[kMovesAcross][3];
    constexpr MovesAcross() : which{}, step{}, way{} {
        int n = 0;
        for (int w = 0; w < 3; ++w)
            for (int d = 0; d < 27; ++d) {
                if (d == 13) continue;  // (0, 0, 0): no move
                which[n] = int8_t(w);
                for (int c = 0; c < 3; ++c) {
                    const int s = c == 0 ? d % 3 - 1 : c == 1 ? d / 3 % 3 - 1 : d / 9 - 1;
                    step[n][c] = int8_t(s);
                    way[n][c] = int8_t(way_of(w != 1 ? s : 0, w != 0 ? s : 0));
                }
                ++n;
            }
    }
} kAcross;

// The best of the moves across channels from `best`, whose ways are `ways`, taken when it lowers `best_error`;
// false when none does.
MORVANE_DXT_INLINE bool step_across_channels(const ChannelWays& ways, EndpointPair& best, int32_t& best_error) {
    // The moves whose bound is below the error are listed first, without a branch per move, so that the
    // search over them is the only part whose course depends on the block.
    uint8_t candidates[kMovesAcross];
    int count = 0;
    for (int n = 0; n < kMovesAcross; ++n) {
        const int8_t* way = kAcross.way[n];
        candidates[count] = uint8_t(n);
        count += ways.nearest[0][way[0]] + ways.nearest[1][way[1]] + ways.nearest[2][way[2]] < best_error;
    }
    int chosen = -1;
    int32_t round_error = best_error;
    for (int m = 0; m < count; ++m) {
        const int8_t* way = kAcross.way[candidates[m]];
        if (ways.nearest[0][way[0]] + ways.nearest[1][way[1]] + ways.nearest[2][way[2]] >= round_error) continue;
        const PixelLanes* r = ways.distance[0][way[0]];
        const PixelLanes* g = ways.distance[1][way[1]];
        const PixelLanes* b = ways.distance[2][way[2]];
        const int32_t e = nearest_error(r[0] + g[0] + b[0], r[1] + g[1] + b[1], r[2] + g[2] + b[2], r[3] + g[3] + b[3]);
        if (e < round_error) {
            round_error = e;
            chosen = candidates[m];
        }
    }
    if (chosen < 0) return false;
    const int8_t* step = kAcross.step[chosen];
    const Colour565 f = best.first, s = best.second;
    if (kAcross.which[chosen] != 1) best.first = {f.r + step[0], f.g + step[1], f.b + step[2]};
    if (kAcross.which[chosen] != 0) best.second = {s.r + step[0], s.g + step[1], s.b + step[2]};
    best_error = round_error;
    return true;
}

MORVANE_DXT_INLINE void perturb_until_settled(const BlockPixels& px, PaletteMode mode, ColourFit& fit) {
    for (int round = 0; round < kPerturbationRounds && fit.error > 0; ++round) {
        EndpointPair pair = fit.pair;
        ChannelWays ways;
        int32_t error = search_nearby_endpoints(px, mode, kPerturbationRounds, pair, fit.error, ways);
        const bool across = step_across_channels(ways, pair, error);
        if (error >= fit.error) return;
        fit.pair = pair;
        fit.error = choose_selectors(px, decoded_palette(pair, mode), fit.selectors);
        refine_fit(px, mode, 2, fit);
        if (!across) return;  // the channel moves settled and no move across channels helped after them
    }
}

}  // namespace morvane::dxt
