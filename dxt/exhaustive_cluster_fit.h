#pragma once
// Cluster fit over every ordering, for the blocks the first fit leaves far off. The pixels are sorted along
// an axis and every split of that order into the four palette entries (969 of them) is scored by the
// least-squares error of its best real-valued endpoints. The best few splits are then taken exactly: their
// endpoints refined onto the 5:6:5 grid and scored on the decoder's integer palette, with fresh selectors.
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

// How many of the best-scoring splits are taken exactly.
inline constexpr int kExactSplits = 8;
// Squared distance of the pixels from the block's principal line above which the order across the line is
// tried too: 256 is an average of 4 per pixel, colours that spread over a plane more than along a line.
inline constexpr float kOffLineSpread = 256.0f;

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

// The kExactSplits best splits of the pixels in `order`, best first. Every sum and product below is an integer
// under 2^53, so doubles hold them exactly, and the loop over the last split point runs four splits at a time.
MORVANE_DXT_INLINE void best_splits(const BlockPixels& px, const uint8_t order[16], ColourSplit best[kExactSplits]) {
    // Sums of the first n pixels in order, padded so that the last split point runs in whole groups of four
    // (up to 19); the points below j or above 16 are scored and never read.
    constexpr int kPoints = 20;
    alignas(64) double pr[kPoints], pg[kPoints], pb[kPoints];
    pr[0] = pg[0] = pb[0] = 0;
    for (int n = 0; n < 16; ++n) {
        pr[n + 1] = pr[n] + double(px.r[order[n]]);
        pg[n + 1] = pg[n] + double(px.g[order[n]]);
        pb[n + 1] = pb[n] + double(px.b[order[n]]);
    }
    for (int n = 17; n < kPoints; ++n) { pr[n] = pr[16]; pg[n] = pg[16]; pb[n] = pb[16]; }
    const double tr = 3 * pr[16], tg = 3 * pg[16], tb = 3 * pb[16];
    for (int n = 0; n < kExactSplits; ++n) best[n] = ColourSplit{};
    for (int i = 0; i <= 16; ++i)
        for (int j = i; j <= 16; ++j) {
            const double ir = pr[i] + pr[j], ig = pg[i] + pg[j], ib = pb[i] + pb[j];
            const double a0 = 5 * i + 3 * j, b0 = 144 - i - 3 * j;
            alignas(64) double num[kPoints], det[kPoints];
            for (int group = j / 4 * 4; group < kPoints; group += 4)
                for (int lane = 0; lane < 4; ++lane) {
                    const int k = group + lane;
                    const double kk = double(k);
                    const double a = a0 + kk, b = b0 - 5 * kk, c = 2 * (kk - i);
                    det[k] = a * b - c * c;
                    const double ar = ir + pr[k], ag = ig + pg[k], ab = ib + pb[k];
                    const double br = tr - ar, bg = tg - ag, bb = tb - ab;
                    const double aa = ar * ar + ag * ag + ab * ab, xx = br * br + bg * bg + bb * bb;
                    const double ax = ar * br + ag * bg + ab * bb;
                    num[k] = b * aa - 2 * c * ax + a * xx;
                }
            for (int k = j; k <= 16; ++k) {
                // det is 0 only with every pixel on one entry, where there is no pair to solve for.
                // Quotients are compared by cross products, exact in doubles (under 2^50).
                const ColourSplit& last = best[kExactSplits - 1];
                if (det[k] <= 0 || num[k] * last.det <= last.num * det[k]) continue;
                const ColourSplit split{num[k], det[k], uint8_t(i), uint8_t(j), uint8_t(k)};
                int m = kExactSplits - 1;
                for (; m > 0 && best[m - 1].num * det[k] < num[k] * best[m - 1].det; --m) best[m] = best[m - 1];
                best[m] = split;
            }
        }
}

// Takes the best few splits along `axis` exactly, each refined in the fit's usual rounds of endpoints and
// selectors, and keeps in `fit` whichever decodes closest.
MORVANE_DXT_INLINE void cluster_fit_along(const BlockPixels& px, ColourPoint axis, ColourFit& fit) {
    uint8_t order[16];
    order_along(px, axis, order);
    ColourSplit splits[kExactSplits];
    best_splits(px, order, splits);
    for (const ColourSplit& split : splits) {
        if (split.num < 0) break;
        ColourFit candidate;
        for (int n = 0; n < 16; ++n)
            candidate.selectors[order[n]] = n < split.i ? 0 : n < split.j ? 2 : n < split.k ? 3 : 1;
        candidate.pair = refine_endpoints(px, candidate.selectors, PaletteMode::FourColour);
        candidate.error =
            choose_selectors(px, decoded_palette(candidate.pair, PaletteMode::FourColour), candidate.selectors);
        refine_fit(px, PaletteMode::FourColour, 4, candidate);
        if (candidate.error < fit.error) fit = candidate;
    }
}

// Every ordering along the principal axis, and across it when the colours spread off that line.
MORVANE_DXT_INLINE void cluster_fit_every_ordering(const BlockPixels& px, const ColourLine& line, ColourFit& fit) {
    cluster_fit_along(px, line.axis, fit);
    const CrossAxis cross = cross_axis(px, line);
    if (cross.spread > kOffLineSpread) cluster_fit_along(px, cross.axis, fit);
}

}  // namespace morvane::dxt
