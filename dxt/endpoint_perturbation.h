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

// The block's error with every pixel on its nearest entry of `p` (choose_selectors without the selectors).
MORVANE_DXT_INLINE int32_t nearest_entry_error(const BlockPixels& px, const Palette& p) {
    int32_t total = 0;
    for (int i = 0; i < 16; ++i) {
        int32_t best = INT32_MAX;
        for (int k = 0; k < 4; ++k) {
            const int32_t dr = px.r[i] - p.r[k], dg = px.g[i] - p.g[k], db = px.b[i] - p.b[k];
            const int32_t d = dr * dr + dg * dg + db * db;
            best = d < best ? d : best;
        }
        total += best;
    }
    return total;
}

MORVANE_DXT_INLINE bool step_colour(Colour565& c, int dr, int dg, int db) {
    c.r += dr;
    c.g += dg;
    c.b += db;
    return c.r >= 0 && c.r <= 31 && c.g >= 0 && c.g <= 63 && c.b >= 0 && c.b <= 31;
}

// The best of the 78 moves across channels from `best`, taken when it lowers `best_error`; false when none does.
MORVANE_DXT_INLINE bool step_across_channels(const BlockPixels& px, PaletteMode mode, EndpointPair& best,
                                             int32_t& best_error) {
    EndpointPair round_best = best;
    int32_t round_error = best_error;
    for (int which = 0; which < 3; ++which)  // 0: the first endpoint, 1: the second, 2: both
        for (int d = 0; d < 27; ++d) {
            if (d == 13) continue;  // (0, 0, 0): no move
            const int dr = d % 3 - 1, dg = d / 3 % 3 - 1, db = d / 9 - 1;
            EndpointPair c = best;
            bool inside = true;
            if (which != 1) inside &= step_colour(c.first, dr, dg, db);
            if (which != 0) inside &= step_colour(c.second, dr, dg, db);
            if (!inside) continue;
            const int32_t e = nearest_entry_error(px, decoded_palette(c, mode));
            if (e < round_error) {
                round_error = e;
                round_best = c;
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
