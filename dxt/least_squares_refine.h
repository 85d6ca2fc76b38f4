#pragma once
// Refining the endpoints against fixed selectors. With the selectors fixed, the error splits into one
// term per channel, so each channel's endpoints can be solved on their own: first the least-squares
// solution in real numbers, then the exact best quantised pair near it, scored on the decoder's integer
// palette (5:6:5 expansion and the truncating division included), not on the real-valued line.
#include "dxt/block_pixels.h"
#include "dxt/colour_block.h"
#include "dxt/palette_error.h"
#include "dxt/tables.h"

#include <cmath>
#include <cstdint>

namespace morvane::dxt {

// Per selector: how many pixels use it and the sum of their values in each channel.
struct SelectorSums {
    int32_t count[4] = {0, 0, 0, 0};
    int32_t r[4] = {0, 0, 0, 0}, g[4] = {0, 0, 0, 0}, b[4] = {0, 0, 0, 0};
};

MORVANE_DXT_INLINE SelectorSums selector_sums(const BlockPixels& px, const uint8_t selectors[16]) {
    SelectorSums s;
    for (int k = 0; k < 4; ++k) {
        int32_t n = 0, r = 0, g = 0, b = 0;
        for (int i = 0; i < 16; ++i) {
            int32_t on = selectors[i] == k ? -1 : 0;
            n -= on;
            r += px.r[i] & on;
            g += px.g[i] & on;
            b += px.b[i] & on;
        }
        s.count[k] = n; s.r[k] = r; s.g[k] = g; s.b[k] = b;
    }
    return s;
}

// The quantised steps just below and above a least-squares endpoint of a channel of `Bits` bits.
template <int Bits>
MORVANE_DXT_INLINE int step_below(float v) {
    constexpr int top = (1 << Bits) - 1;
    v = v < 0.f ? 0.f : v > 255.f ? 255.f : v;
    const int q = int(v * (float(top) / 255.0f));  // truncation: the value is clamped to 0 and above
    return q >= top ? top - 1 : q;
}

// The best quantised pair of each channel among the steps just below and above its least-squares solution
// (a: first endpoint, b: second; red, green, blue). Each pair is scored by the channel's error for its
// selectors, less the constant sum of x^2, on the decoder's palette. The twelve candidates (four per channel)
// are scored side by side, as independent sums the compiler works out together; each channel keeps its first
// best candidate in the order (below, below), (below, above), (above, below), (above, above).
MORVANE_DXT_INLINE EndpointPair best_channel_pairs(const SelectorSums& s, const float a[3], const float b[3],
                                                   PaletteMode mode) {
    const int low0[3] = {step_below<5>(a[0]), step_below<6>(a[1]), step_below<5>(a[2])};
    const int low1[3] = {step_below<5>(b[0]), step_below<6>(b[1]), step_below<5>(b[2])};
    const int32_t* sums[3] = {s.r, s.g, s.b};
    constexpr int kLanes = 16;  // 12 candidates; the rest score nothing and are never read
    alignas(64) int32_t e0[kLanes] = {}, e1[kLanes] = {}, sum[4][kLanes] = {};
    for (int c = 0; c < 3; ++c) {
        for (int j = 0; j < 4; ++j) {
            const int t0 = low0[c] + (j >> 1), t1 = low1[c] + (j & 1), lane = c * 4 + j;
            e0[lane] = c == 1 ? expand6(t0) : expand5(t0);
            e1[lane] = c == 1 ? expand6(t1) : expand5(t1);
            for (int k = 0; k < 4; ++k) sum[k][lane] = sums[c][k];
        }
    }
    const bool four = mode == PaletteMode::FourColour;
    alignas(64) int32_t error[kLanes];
    for (int lane = 0; lane < kLanes; ++lane) {
        const int32_t p0 = e0[lane], p1 = e1[lane];
        const int32_t p2 = palette_entry2(p0, p1, mode);
        const int32_t p3 = four ? palette_entry3(p0, p1, mode) : 0;  // the three-colour mode's entry 3 is never selected
        error[lane] = s.count[0] * p0 * p0 - 2 * p0 * sum[0][lane] + s.count[1] * p1 * p1 - 2 * p1 * sum[1][lane] +
                      s.count[2] * p2 * p2 - 2 * p2 * sum[2][lane] + s.count[3] * p3 * p3 - 2 * p3 * sum[3][lane];
    }
    int q0[3], q1[3];
    for (int c = 0; c < 3; ++c) {
        int best = c * 4;
        for (int j = 1; j < 4; ++j)
            if (error[c * 4 + j] < error[best]) best = c * 4 + j;
        q0[c] = low0[c] + ((best - c * 4) >> 1);
        q1[c] = low1[c] + ((best - c * 4) & 1);
    }
    return {{q0[0], q0[1], q0[2]}, {q1[0], q1[1], q1[2]}};
}

// New endpoints for the given selectors. When the selectors do not pin down two endpoints (all pixels
// on one entry), the pair is the exact single-colour fit of the mean.
MORVANE_DXT_INLINE EndpointPair refine_endpoints(const BlockPixels& px, const uint8_t selectors[16],
                                                 PaletteMode mode) {
    const SelectorSums s = selector_sums(px, selectors);
    const float third = 1.0f / 3.0f;
    const float weight_four[4] = {1.0f, 0.0f, 2 * third, third};
    const float weight_three[4] = {1.0f, 0.0f, 0.5f, 0.0f};
    const float* w = mode == PaletteMode::FourColour ? weight_four : weight_three;
    float aa = 0, ab = 0, bb = 0, ar = 0, ag = 0, ab_ = 0, br = 0, bg = 0, bb_ = 0;
    for (int k = 0; k < 4; ++k) {
        float n = float(s.count[k]), wa = w[k], wb = 1.0f - w[k];
        aa += n * wa * wa; ab += n * wa * wb; bb += n * wb * wb;
        ar += wa * float(s.r[k]); ag += wa * float(s.g[k]); ab_ += wa * float(s.b[k]);
        br += wb * float(s.r[k]); bg += wb * float(s.g[k]); bb_ += wb * float(s.b[k]);
    }
    float det = aa * bb - ab * ab;
    EndpointPair e;
    if (std::fabs(det) < 1e-3f) {
        const Tables& t = tables();
        auto mean = [](int32_t sum) { return (sum + 8) / 16; };
        int32_t r = 0, g = 0, b = 0;
        for (int k = 0; k < 4; ++k) { r += s.r[k]; g += s.g[k]; b += s.b[k]; }
        const SolidPair* fr = mode == PaletteMode::FourColour ? t.third5 : t.half5;
        const SolidPair* fg = mode == PaletteMode::FourColour ? t.third6 : t.half6;
        SolidPair pr = fr[mean(r)], pg = fg[mean(g)], pb = fr[mean(b)];
        e.first = {pr.first, pg.first, pb.first};
        e.second = {pr.second, pg.second, pb.second};
        return e;
    }
    float inv = 1.0f / det;
    auto solve_a = [&](float xa, float xb) { return (bb * xa - ab * xb) * inv; };
    auto solve_b = [&](float xa, float xb) { return (aa * xb - ab * xa) * inv; };
    const float first[3] = {solve_a(ar, br), solve_a(ag, bg), solve_a(ab_, bb_)};
    const float second[3] = {solve_b(ar, br), solve_b(ag, bg), solve_b(ab_, bb_)};
    return best_channel_pairs(s, first, second, mode);
}

// A fit in progress: the endpoints, the selectors chosen for them and the block's squared error.
struct ColourFit {
    EndpointPair pair;
    uint8_t selectors[16];
    int32_t error = INT32_MAX;
};

// Alternates choosing selectors and refining the endpoints for them, keeping the best pair seen.
MORVANE_DXT_INLINE void refine_fit(const BlockPixels& px, PaletteMode mode, int rounds, ColourFit& fit) {
    for (int round = 0; round < rounds; ++round) {
        EndpointPair next = refine_endpoints(px, fit.selectors, mode);
        if (next == fit.pair) break;
        uint8_t selectors[16];
        int32_t error = choose_selectors(px, decoded_palette(next, mode), selectors);
        if (error >= fit.error) break;
        // Refinement depends on the selectors alone: when they come back unchanged it would give `next` again.
        int changed = 0;
        for (int i = 0; i < 16; ++i) changed |= fit.selectors[i] ^ selectors[i];
        fit.pair = next;
        fit.error = error;
        for (int i = 0; i < 16; ++i) fit.selectors[i] = selectors[i];
        if (!changed) break;
    }
}

}  // namespace morvane::dxt
