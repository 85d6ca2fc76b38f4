#include "dxt/alpha_block.h"

#include <algorithm>
#include <cmath>

namespace morvane::dxt {
namespace {

struct AlphaFit {
    int alpha0 = 0, alpha1 = 0;
    uint8_t selectors[16] = {};
    int32_t error = INT32_MAX;
};

int32_t choose_alpha_selectors(const BlockPixels& px, int alpha0, int alpha1, uint8_t selectors[16]) {
    const AlphaPalette p = alpha_palette(alpha0, alpha1);
    int32_t total = 0;
    for (int i = 0; i < 16; ++i) {
        int32_t best = INT32_MAX, index = 0;
        for (int k = 0; k < 8; ++k) {
            int32_t d = (px.a[i] - p.value[k]) * (px.a[i] - p.value[k]);
            if (d < best) { best = d; index = k; }
        }
        selectors[i] = uint8_t(index);
        total += best;
    }
    return total;
}

void consider(const BlockPixels& px, int alpha0, int alpha1, AlphaFit& best) {
    AlphaFit f;
    f.alpha0 = std::clamp(alpha0, 0, 255);
    f.alpha1 = std::clamp(alpha1, 0, 255);
    f.error = choose_alpha_selectors(px, f.alpha0, f.alpha1, f.selectors);
    if (f.error < best.error) best = f;
}

// Least squares for the endpoints given the selectors of an eight-value fit (alpha0 > alpha1).
void refine_eight(const BlockPixels& px, AlphaFit& best) {
    for (int round = 0; round < 2 && best.error > 0 && best.alpha0 > best.alpha1; ++round) {
        float aa = 0, ab = 0, bb = 0, xa = 0, xb = 0;
        for (int i = 0; i < 16; ++i) {
            int s = best.selectors[i];
            float w = s == 0 ? 1.0f : s == 1 ? 0.0f : float(7 - (s - 1)) / 7.0f;
            aa += w * w; ab += w * (1 - w); bb += (1 - w) * (1 - w);
            xa += w * float(px.a[i]); xb += (1 - w) * float(px.a[i]);
        }
        float det = aa * bb - ab * ab;
        if (std::fabs(det) < 1e-3f) return;
        int a0 = int(std::lround((bb * xa - ab * xb) / det)), a1 = int(std::lround((aa * xb - ab * xa) / det));
        int before = best.error;
        for (int d0 = -1; d0 <= 1; ++d0)
            for (int d1 = -1; d1 <= 1; ++d1)
                if (a0 + d0 > a1 + d1) consider(px, a0 + d0, a1 + d1, best);
        if (best.error >= before) return;
    }
}

void write_alpha(const AlphaFit& f, uint8_t* out) {
    out[0] = uint8_t(f.alpha0);
    out[1] = uint8_t(f.alpha1);
    uint64_t bits = 0;
    for (int i = 0; i < 16; ++i) bits |= uint64_t(f.selectors[i] & 7) << (3 * i);
    for (int i = 0; i < 6; ++i) out[2 + i] = uint8_t(bits >> (8 * i));
}

}  // namespace

void encode_alpha_block(const BlockPixels& px, uint8_t* out) {
    if (alpha_uniform(px)) {
        AlphaFit f;
        f.alpha0 = f.alpha1 = px.a[0];
        write_alpha(f, out);
        return;
    }
    int lo = 255, hi = 0, inner_lo = 255, inner_hi = 0;
    for (int i = 0; i < 16; ++i) {
        lo = std::min(lo, int(px.a[i]));
        hi = std::max(hi, int(px.a[i]));
        if (px.a[i] != 0 && px.a[i] != 255) {
            inner_lo = std::min(inner_lo, int(px.a[i]));
            inner_hi = std::max(inner_hi, int(px.a[i]));
        }
    }
    AlphaFit best;
    // Eight values spanning the whole range, then refined; the span is kept open by at least one step.
    consider(px, hi, lo, best);
    refine_eight(px, best);
    // Six values spanning the values other than 0 and 255, which the palette holds exactly.
    if (inner_lo > inner_hi) inner_lo = inner_hi = 0;
    consider(px, inner_lo, inner_hi, best);
    write_alpha(best, out);
}

}  // namespace morvane::dxt
