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

// The best of the 78 moves across channels from `best`, taken when it lowers `best_error`; false when none does.
// A move shifts each channel's endpoints in one of seven ways (none; the first, the second or both one step up
// or down), so each channel's squared distances from every pixel to every entry are worked out once for each
// way, and a move's error adds up three of them: the same integers as with the whole palette decoded for each move.
MORVANE_DXT_INLINE bool step_across_channels(const BlockPixels& px, PaletteMode mode, EndpointPair& best,
                                             int32_t& best_error) {
    // Way w of a channel: w = which * 3 + step + 1 (which 0: the first endpoint, 1: the second, 2: both;
    // step -1, 0, 1); the three ways with step 0 are one and the same, none.
    const int32_t* channel_pixels[3] = {px.r, px.g, px.b};
    const int first[3] = {best.first.r, best.first.g, best.first.b};
    const int second[3] = {best.second.r, best.second.g, best.second.b};
    alignas(64) int32_t distance[3][9][4][16];
    bool inside[3][9];
    for (int c = 0; c < 3; ++c) {
        const int top = c == 1 ? 63 : 31;
        for (int w = 0; w < 9; ++w) {
            const int which = w / 3, step = w % 3 - 1;
            const int q0 = first[c] + (which != 1 ? step : 0), q1 = second[c] + (which != 0 ? step : 0);
            inside[c][w] = q0 >= 0 && q0 <= top && q1 >= 0 && q1 <= top;
            if (!inside[c][w] || (step == 0 && which != 0)) continue;
            int32_t entry[4];
            channel_palette(c == 1 ? expand6(q0) : expand5(q0), c == 1 ? expand6(q1) : expand5(q1), mode, entry);
            for (int k = 0; k < 4; ++k)
                for (int i = 0; i < 16; ++i) {
                    const int32_t d = channel_pixels[c][i] - entry[k];
                    distance[c][w][k][i] = d * d;
                }
        }
    }
    EndpointPair round_best = best;
    int32_t round_error = best_error;
    for (int which = 0; which < 3; ++which)
        for (int d = 0; d < 27; ++d) {
            if (d == 13) continue;  // (0, 0, 0): no move
            const int steps[3] = {d % 3 - 1, d / 3 % 3 - 1, d / 9 - 1};
            int way[3];
            bool all_inside = true;
            for (int c = 0; c < 3; ++c) {
                way[c] = steps[c] == 0 ? 1 : which * 3 + steps[c] + 1;
                all_inside &= inside[c][way[c]];
            }
            if (!all_inside) continue;
            const int32_t(*r)[16] = distance[0][way[0]];
            const int32_t(*g)[16] = distance[1][way[1]];
            const int32_t(*b)[16] = distance[2][way[2]];
            int32_t e = 0;
            for (int i = 0; i < 16; ++i) {
                const int32_t e0 = r[0][i] + g[0][i] + b[0][i], e1 = r[1][i] + g[1][i] + b[1][i];
                const int32_t e2 = r[2][i] + g[2][i] + b[2][i], e3 = r[3][i] + g[3][i] + b[3][i];
                const int32_t lo = e0 < e1 ? e0 : e1, hi = e2 < e3 ? e2 : e3;
                e += lo < hi ? lo : hi;
            }
            if (e < round_error) {
                round_best = best;
                const Colour565 f = best.first, n = best.second;
                if (which != 1) round_best.first = {f.r + steps[0], f.g + steps[1], f.b + steps[2]};
                if (which != 0) round_best.second = {n.r + steps[0], n.g + steps[1], n.b + steps[2]};
                round_error = e;
            }
        }
    if (round_error >= best_error) return false;
    best = round_best;
    best_error = round_error;
    return true;
}

MORVANE_DXT_INLINE void perturb_until_settled(const BlockPixels& px, PaletteMode mode, ColourFit& fit) {
    for (int round = 0; round < kPerturbationRounds && fit.error > 0; ++round) {
        EndpointPair pair = fit.pair;
        int32_t error = search_nearby_endpoints(px, mode, kPerturbationRounds, pair, fit.error);
        const bool across = step_across_channels(px, mode, pair, error);
        if (error >= fit.error) return;
        fit.pair = pair;
        fit.error = choose_selectors(px, decoded_palette(pair, mode), fit.selectors);
        refine_fit(px, mode, 2, fit);
        if (!across) return;  // the channel moves settled and no move across channels helped after them
    }
}

}  // namespace morvane::dxt
