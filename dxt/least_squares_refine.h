#pragma once
// Refining the endpoints against fixed selectors. With the selectors fixed, the error splits into one
// term per channel, so each channel's endpoints can be solved on their own: first the least-squares
// solution in real numbers, then the exact best quantised pair near it, scored on the decoder's integer
// palette (5:6:5 expansion and the truncating division included), not on the real-valued line.
#include "dxt/block_pixels.h"
#include "dxt/colour_block.h"
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

// Error of one channel for endpoints (e0, e1) already expanded to 8 bits, less the constant sum of x^2.
MORVANE_DXT_INLINE int32_t channel_error(const int32_t count[4], const int32_t sum[4], int e0, int e1,
                                         PaletteMode mode) {
    int p[3] = {e0, e1, palette_entry2(e0, e1, mode)};
    int32_t total = 0;
    for (int k = 0; k < 3; ++k) total += count[k] * p[k] * p[k] - 2 * p[k] * sum[k];
    if (mode == PaletteMode::FourColour) {  // the three-colour mode's entry 3 is never selected
        int p3 = palette_entry3(e0, e1, mode);
        total += count[3] * p3 * p3 - 2 * p3 * sum[3];
    }
    return total;
}

// The best quantised pair of one channel among the steps just below and above the least-squares solution.
template <int Bits>
MORVANE_DXT_INLINE void best_channel_pair(const int32_t count[4], const int32_t sum[4], float a, float b,
                                          PaletteMode mode, int& q0, int& q1) {
    constexpr int top = (1 << Bits) - 1;
    auto expand = [](int q) { return Bits == 5 ? expand5(q) : expand6(q); };
    auto below = [](float v) {
        int q = int(v * (float(top) / 255.0f));  // truncation: the values are clamped to 0 and above
        return q < 0 ? 0 : q >= top ? top - 1 : q;
    };
    auto clamp = [](float v) { return v < 0.f ? 0.f : v > 255.f ? 255.f : v; };
    const int low0 = below(clamp(a)), low1 = below(clamp(b));
    int32_t best = INT32_MAX;
    for (int t0 = low0; t0 <= low0 + 1; ++t0) {
        for (int t1 = low1; t1 <= low1 + 1; ++t1) {
            int32_t e = channel_error(count, sum, expand(t0), expand(t1), mode);
            if (e < best) { best = e; q0 = t0; q1 = t1; }
        }
    }
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
    best_channel_pair<5>(s.count, s.r, solve_a(ar, br), solve_b(ar, br), mode, e.first.r, e.second.r);
    best_channel_pair<6>(s.count, s.g, solve_a(ag, bg), solve_b(ag, bg), mode, e.first.g, e.second.g);
    best_channel_pair<5>(s.count, s.b, solve_a(ab_, bb_), solve_b(ab_, bb_), mode, e.first.b, e.second.b);
    return e;
}

}  // namespace morvane::dxt
