#pragma once
// A block of one colour: the endpoints come straight from the single-colour tables, which hold for every
// 8-bit value the endpoint pair whose palette entry the decoder computes nearest to it. Every pixel then
// points at that entry, so the block decodes to the nearest colour the format can reach.
#include "dxt/colour_block.h"
#include "dxt/tables.h"

namespace morvane::dxt {

struct SolidFit {
    EndpointPair pair;
    PaletteMode mode = PaletteMode::FourColour;
    int32_t error = 0;  // squared RGB error per pixel
};

MORVANE_DXT_INLINE SolidFit solid_colour_fit(int r, int g, int b, bool allow_three_colour) {
    const Tables& t = tables();
    auto fit = [&](const SolidPair* five, const SolidPair* six, PaletteMode mode) {
        SolidPair pr = five[r], pg = six[g], pb = five[b];
        SolidFit f;
        f.pair.first = {pr.first, pg.first, pb.first};
        f.pair.second = {pr.second, pg.second, pb.second};
        f.mode = mode;
        f.error = pr.error * pr.error + pg.error * pg.error + pb.error * pb.error;
        return f;
    };
    SolidFit four = fit(t.third5, t.third6, PaletteMode::FourColour);
    if (!allow_three_colour || four.error == 0) return four;
    SolidFit three = fit(t.half5, t.half6, PaletteMode::ThreeColour);
    return three.error < four.error ? three : four;
}

// Every pixel of a solid block uses palette entry 2 (the 2/3 entry, or the midpoint in three-colour mode).
MORVANE_DXT_INLINE void write_solid_block(const SolidFit& fit, uint8_t* out) {
    uint8_t selectors[16];
    for (auto& s : selectors) s = 2;
    if (fit.mode == PaletteMode::FourColour)
        write_four_colour_block(fit.pair, selectors, out);
    else
        write_three_colour_block(fit.pair, selectors, out);
}

}  // namespace morvane::dxt
