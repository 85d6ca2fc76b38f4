#pragma once
// Where a block's fit starts: the line through its colours that explains most of their spread (the
// principal axis of the colour covariance, by power iteration), cut at the outermost projections, or
// with the pixels spread evenly over the palette along it.
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
    for (int round = 0; round < 4; ++round) {
        ColourPoint w{cov[0] * v.r + cov[1] * v.g + cov[2] * v.b,
                      cov[1] * v.r + cov[3] * v.g + cov[4] * v.b,
                      cov[2] * v.r + cov[4] * v.g + cov[5] * v.b};
        float ar = std::fabs(w.r), ag = std::fabs(w.g), ab = std::fabs(w.b);
        float m = ar > ag ? (ar > ab ? ar : ab) : (ag > ab ? ag : ab);
        if (m <= 0) break;
        v = {w.r / m, w.g / m, w.b / m};
    }
    float len2 = v.r * v.r + v.g * v.g + v.b * v.b;
    if (len2 <= 0) return {0.57735f, 0.57735f, 0.57735f};
    float inv = 1.0f / std::sqrt(len2);
    return {v.r * inv, v.g * inv, v.b * inv};
}

// The principal line of a block: its mean, the unit axis, and the outermost projections on it.
struct ColourLine {
    ColourPoint mean, axis;
    float low = 0, high = 0;  // projections of the extreme pixels, relative to the mean
};

MORVANE_DXT_INLINE float projection(const BlockPixels& px, const ColourLine& line, int i) {
    return (float(px.r[i]) - line.mean.r) * line.axis.r + (float(px.g[i]) - line.mean.g) * line.axis.g +
           (float(px.b[i]) - line.mean.b) * line.axis.b;
}

MORVANE_DXT_INLINE ColourLine principal_line(const BlockPixels& px) {
    float mr = 0, mg = 0, mb = 0;
    for (int i = 0; i < 16; ++i) { mr += float(px.r[i]); mg += float(px.g[i]); mb += float(px.b[i]); }
    mr *= 1.0f / 16; mg *= 1.0f / 16; mb *= 1.0f / 16;
    float cov[6] = {0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 16; ++i) {
        float r = float(px.r[i]) - mr, g = float(px.g[i]) - mg, b = float(px.b[i]) - mb;
        cov[0] += r * r; cov[1] += r * g; cov[2] += r * b;
        cov[3] += g * g; cov[4] += g * b; cov[5] += b * b;
    }
    ColourLine line;
    line.mean = {mr, mg, mb};
    line.axis = principal_axis(cov);
    float lo = 1e9f, hi = -1e9f;
    for (int i = 0; i < 16; ++i) {
        float t = projection(px, line, i);
        lo = t < lo ? t : lo;
        hi = t > hi ? t : hi;
    }
    line.low = lo;
    line.high = hi;
    return line;
}

MORVANE_DXT_INLINE float clamp_channel(float v) { return v < 0.f ? 0.f : v > 255.f ? 255.f : v; }

MORVANE_DXT_INLINE ColourPoint point_on(const ColourLine& line, float t) {
    return ColourPoint{clamp_channel(line.mean.r + t * line.axis.r), clamp_channel(line.mean.g + t * line.axis.g),
                       clamp_channel(line.mean.b + t * line.axis.b)};
}

// The start that spans the colours: endpoints at the outermost projections.
MORVANE_DXT_INLINE ColourRange principal_range(const ColourLine& line) {
    return {point_on(line, line.low), point_on(line, line.high)};
}

// The other start: selectors that spread the pixels evenly over the palette by their place on the line
// (the high end on entry 0). Refined, it gives endpoints beyond the colours when the in-between entries
// fit them better, as in low-contrast blocks where the quantised endpoints matter most.
MORVANE_DXT_INLINE void even_selectors(const BlockPixels& px, const ColourLine& line, bool three_colour,
                                       uint8_t selectors[16]) {
    static constexpr uint8_t four_ramp[4] = {1, 3, 2, 0};
    static constexpr uint8_t three_ramp[3] = {1, 2, 0};
    const float span = line.high - line.low;
    const float steps = three_colour ? 2.0f : 3.0f;
    const float scale = span > 0 ? steps / span : 0.0f;
    for (int i = 0; i < 16; ++i) {
        int step = int((projection(px, line, i) - line.low) * scale + 0.5f);
        step = step < 0 ? 0 : step > int(steps) ? int(steps) : step;
        selectors[i] = three_colour ? three_ramp[step] : four_ramp[step];
    }
}

}  // namespace morvane::dxt
