#pragma once
// Cluster fit over every ordering, for the blocks the first fit leaves far off. The pixels are sorted along
// the principal axis and every split of that order into the four palette entries (969 of them) is scored by the
// least-squares error of its best real-valued endpoints. The best few splits are then taken exactly: their
// endpoints refined onto the 5:6:5 grid and scored on the decoder's integer palette, with fresh selectors, and
// the closest of them refined further.
//
// The scoring needs only integers: with the pixels in order and P[n] the sum of the first n of them, a split
// after i <= j <= k pixels (entries 0, 2, 3, 1 in turn, weights 3, 2, 1, 0 thirds of the first endpoint) has
//   Xa = P[i] + P[j] + P[k],  Xb = 3 P[16] - Xa                       (weighted sums, in thirds)
//   A = 5i + 3j + k,  B = 144 - i - 3j - 5k,  C = 2 (k - i)           (sums of the weights' products)
// and its least-squares error is  sum x^2 - (B |Xa|^2 - 2 C Xa.Xb + A |Xb|^2) / (A B - C^2).  sum x^2 is the
// same for every split, so the split with the largest quotient fits best. Quotients are compared by cross
// products, integers under 2^50 and exact in doubles: the same choice on every processor and in every copy of
// the encoder. Four-colour mode only.
#include "dxt/block_pixels.h"
#include "dxt/colour_block.h"
#include "dxt/least_squares_refine.h"
#include "dxt/palette_error.h"
#include "dxt/principal_axis.h"

#include <cstdint>

namespace morvane::dxt {

// How many of the best-scoring splits are taken exactly. On the photographs of the benchmark the fifth to eighth
// best won too rarely to matter (0.002 dB on the most detailed, for a sixth of the search's time), as did the
// order across the principal line (0.001 dB, for a third of it).
inline constexpr int kExactSplits = 4;

struct ColourSplit {
    double num = -1, det = 1;  // the quotient above, num / det: larger fits better; none yet: -1
    uint8_t i = 0, j = 0, k = 0;
};

// Pixel indices sorted by their projection on `axis`, largest first (ties by index, so the order is fixed).
MORVANE_DXT_INLINE void order_along(const BlockPixels& px, ColourPoint axis, uint8_t order[16]) {
    float key[16];
    for (int i = 0; i < 16; ++i)
        key[i] = float(px.r[i]) * axis.r + float(px.g[i]) * axis.g + float(px.b[i]) * axis.b;
    for (int i = 0; i < 16; ++i) order[i] = uint8_t(i);
    for (int n = 1; n < 16; ++n) {
        const uint8_t moving = order[n];
        int m = n;
        for (; m > 0 && key[order[m - 1]] < key[moving]; --m) order[m] = order[m - 1];
        order[m] = moving;
    }
}

// The sums the scores are made of, for the pixels in one order: P[n], the sum of the first n pixels, and
// G[m][n] = P[m].P[n] and PT[n] = P[n].T (T = 3 P[16]), so that a split's |Xa|^2 and Xa.T are sums of table
// entries: |Xa|^2 = G[i][i] + G[j][j] + G[k][k] + 2 (G[i][j] + G[i][k] + G[j][k]), Xa.T = PT[i] + PT[j] + PT[k].
// Since A + B + 2C = 144 and A + C = 3 (i + j + k), the numerator above is
//   144 |Xa|^2 - 6 (i + j + k) Xa.T + A |T|^2.
// Rows are padded past 16 so that every path may read whole vectors from any split point j on; every entry is
// an integer under 2^31, every product of the scores under 2^53, so doubles hold all of them exactly.
struct SplitSums {
    static constexpr int kPoints = 24;
    alignas(64) double twice_g[17][kPoints];  // 2 G[m][n]
    alignas(64) double g_diagonal[kPoints];   // G[n][n]
    alignas(64) double pt[kPoints];           // PT[n]
    double tt = 0;                            // |T|^2
};

MORVANE_DXT_INLINE void split_sums(const BlockPixels& px, const uint8_t order[16], SplitSums& s) {
    int32_t p[3][17];
    p[0][0] = p[1][0] = p[2][0] = 0;
    for (int n = 0; n < 16; ++n) {
        p[0][n + 1] = p[0][n] + px.r[order[n]];
        p[1][n + 1] = p[1][n] + px.g[order[n]];
        p[2][n + 1] = p[2][n] + px.b[order[n]];
    }
    const int32_t t[3] = {3 * p[0][16], 3 * p[1][16], 3 * p[2][16]};
    s.tt = double(t[0] * t[0] + t[1] * t[1] + t[2] * t[2]);
    for (int m = 0; m <= 16; ++m) {
        for (int n = 0; n <= 16; ++n)
            s.twice_g[m][n] = double(2 * (p[0][m] * p[0][n] + p[1][m] * p[1][n] + p[2][m] * p[2][n]));
        for (int n = 17; n < SplitSums::kPoints; ++n) s.twice_g[m][n] = 0;
        s.g_diagonal[m] = s.twice_g[m][m] / 2;
        s.pt[m] = double(p[0][m] * t[0] + p[1][m] * t[1] + p[2][m] * t[2]);
    }
    for (int n = 17; n < SplitSums::kPoints; ++n) s.g_diagonal[n] = s.pt[n] = 0;
}

// The ways of scoring every split: plain code, and SSE2 and AVX2 code two and four splits at a time. All of them
// work out the same exact scores and rank equal ones alike, so all of them choose the same splits.
enum class SplitSearch { Plain, Sse2, Avx2 };
bool split_search_available(SplitSearch path);
// The kExactSplits best splits, best first (a split beats an equal one only by coming first in the order
// i, j, k), by the given path: one the processor has.
void best_splits_by(SplitSearch path, const SplitSums& sums, ColourSplit best[kExactSplits]);
// The same by the widest path this processor has, chosen once.
void best_splits(const SplitSums& sums, ColourSplit best[kExactSplits]);

MORVANE_DXT_INLINE void best_splits(const BlockPixels& px, const uint8_t order[16], ColourSplit best[kExactSplits]) {
    SplitSums sums;
    split_sums(px, order, sums);
    best_splits(sums, best);
}

// Takes the best few splits along the principal axis exactly, each with endpoints refined for its selectors
// and selectors chosen again; the closest of them, refined in the fit's usual rounds, replaces `fit` when it
// decodes closer. (Refining every split in rounds chose the same block nearly always, at twice the cost.)
MORVANE_DXT_INLINE void cluster_fit(const BlockPixels& px, const ColourLine& line, ColourFit& fit) {
    uint8_t order[16];
    order_along(px, line.axis, order);
    ColourSplit splits[kExactSplits];
    best_splits(px, order, splits);
    ColourFit closest;
    for (const ColourSplit& split : splits) {
        if (split.num < 0) break;
        ColourFit candidate;
        for (int n = 0; n < 16; ++n)
            candidate.selectors[order[n]] = n < split.i ? 0 : n < split.j ? 2 : n < split.k ? 3 : 1;
        candidate.pair = refine_endpoints(px, candidate.selectors, PaletteMode::FourColour);
        candidate.error =
            choose_selectors(px, decoded_palette(candidate.pair, PaletteMode::FourColour), candidate.selectors);
        if (candidate.error < closest.error) closest = candidate;
    }
    refine_fit(px, PaletteMode::FourColour, 4, closest);
    if (closest.error < fit.error) fit = closest;
}

}  // namespace morvane::dxt
