#pragma once
// The starting endpoints of a block: the line through its colours that explains most of their spread
// (the principal axis of the colour covariance, by power iteration), cut at the outermost projections.
#include "dxt/block_pixels.h"

#include <cmath>

namespace morvane::dxt {

struct ColourPoint {
    float r = 0, g = 0, b = 0;
};

struct ColourRange {
    ColourPoint low, high;  // 0..255 per channel
};

MORVANE_DXT_INLINE ColourPoint principal_axis(const float cov[6]) {
    // cov: rr, rg, rb, gg, gb, bb. Start from the channel with the largest spread; a few rounds of
    // power iteration settle the direction well enough for a start that refinement improves on.
    ColourPoint v{cov[0], cov[1], cov[2]};
    if (cov[3] > cov[0] && cov[3] >= cov[5]) v = {cov[1], cov[3], cov[4]};
    else if (cov[5] > cov[0] && cov[5] > cov[3]) v = {cov[2], cov[4], cov[5]};
    for (int round = 0; round < 6; ++round) {
        ColourPoint w{cov[0] * v.r + cov[1] * v.g + cov[2] * v.b,
                      cov[1] * v.r + cov[3] * v.g + cov[4] * v.b,
                      cov[2] * v.r + cov[4] * v.g + cov[5] * v.b};
        float m = std::fmax(std::fabs(w.r), std::fmax(std::fabs(w.g), std::fabs(w.b)));
        if (m <= 0) break;
        v = {w.r / m, w.g / m, w.b / m};
    }
    float len2 = v.r * v.r + v.g * v.g + v.b * v.b;
    if (len2 <= 0) return {0.57735f, 0.57735f, 0.57735f};
    float inv = 1.0f / std::sqrt(len2);
    return {v.r * inv, v.g * inv, v.b * inv};
}

MORVANE_DXT_INLINE ColourRange principal_range(const BlockPixels& px) {
    float mr = 0, mg = 0, mb = 0;
    for (int i = 0; i < 16; ++i) { mr += float(px.r[i]); mg += float(px.g[i]); mb += float(px.b[i]); }
    mr *= 1.0f / 16; mg *= 1.0f / 16; mb *= 1.0f / 16;
    float cov[6] = {0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 16; ++i) {
        float r = float(px.r[i]) - mr, g = float(px.g[i]) - mg, b = float(px.b[i]) - mb;
        cov[0] += r * r; cov[1] += r * g; cov[2] += r * b;
        cov[3] += g * g; cov[4] += g * b; cov[5] += b * b;
    }
    ColourPoint axis = principal_axis(cov);
    float lo = 1e9f, hi = -1e9f;
    for (int i = 0; i < 16; ++i) {
        float t = (float(px.r[i]) - mr) * axis.r + (float(px.g[i]) - mg) * axis.g + (float(px.b[i]) - mb) * axis.b;
        lo = std::fmin(lo, t);
        hi = std::fmax(hi, t);
    }
    auto at = [&](float t) {
        return ColourPoint{std::fmin(255.f, std::fmax(0.f, mr + t * axis.r)),
                           std::fmin(255.f, std::fmax(0.f, mg + t * axis.g)),
                           std::fmin(255.f, std::fmax(0.f, mb + t * axis.b))};
    };
    return {at(lo), at(hi)};
}

}  // namespace morvane::dxt
