#pragma once
// The colour half of a block, from pixels to its 8 bytes: a solid block takes the table fit; any other
// starts on its principal axis, alternates exact refinement of the endpoints with fresh selectors, and
// finishes with a search of the neighbouring endpoint pairs. Blocks that the first start leaves with a
// noticeable error get a second start and a longer search. DXT1 blocks may end in three-colour mode when
// that decodes closer (never using its transparent entry); DXT3 and DXT5 blocks are always four-colour.
#include "dxt/block_pixels.h"
#include "dxt/colour_block.h"
#include "dxt/endpoint_search.h"
#include "dxt/least_squares_refine.h"
#include "dxt/palette_error.h"
#include "dxt/principal_axis.h"
#include "dxt/solid_colour_fit.h"
#include "dxt/tables.h"

namespace morvane::dxt {

// Squared RGB error of a whole block (16 pixels, 3 channels) up to which a block counts as easy: 192 is
// an average error of 2 per channel. Most blocks of a photograph are easy and gain little from more work;
// the few others are where the extra start and the long search pay for themselves.
inline constexpr int32_t kEasyBlockError = 192;
// Up to here (an average error of about 1.4 per channel, mostly the 5:6:5 steps themselves) the search
// rarely finds anything: smooth skies and walls end after the first start.
inline constexpr int32_t kNearlyExactBlockError = 96;

struct ColourFit {
    EndpointPair pair;
    uint8_t selectors[16];
    int32_t error = INT32_MAX;
};

MORVANE_DXT_INLINE EndpointPair quantise_range(const ColourRange& range) {
    const Tables& t = tables();
    auto q5 = [&](float v) { return int(t.quantise5[int(v + 0.5f)]); };
    auto q6 = [&](float v) { return int(t.quantise6[int(v + 0.5f)]); };
    return {{q5(range.high.r), q6(range.high.g), q5(range.high.b)},
            {q5(range.low.r), q6(range.low.g), q5(range.low.b)}};
}

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

MORVANE_DXT_INLINE ColourFit fit_block_colours(const BlockPixels& px, PaletteMode mode, const ColourLine& line) {
    // Starts: the colours' span, and (for blocks that are not easy) the pixels spread evenly over the palette.
    ColourFit fit;
    fit.pair = quantise_range(principal_range(line));
    fit.error = choose_selectors(px, decoded_palette(fit.pair, mode), fit.selectors);
    refine_fit(px, mode, 4, fit);

    if (fit.error > kEasyBlockError) {
        ColourFit spread;
        even_selectors(px, line, mode == PaletteMode::ThreeColour, spread.selectors);
        spread.pair = refine_endpoints(px, spread.selectors, mode);
        spread.error = choose_selectors(px, decoded_palette(spread.pair, mode), spread.selectors);
        refine_fit(px, mode, 4, spread);
        if (spread.error < fit.error) fit = spread;
    }

    // Easy blocks: one round of single steps; the others: every move, until no move helps.
    if (fit.error <= kNearlyExactBlockError) return fit;
    EndpointPair searched = fit.pair;
    const bool easy = fit.error <= kEasyBlockError;
    const int32_t error = search_nearby_endpoints(px, mode, easy ? 1 : 8, easy ? kSingleStepMoves : kAllMoves,
                                                  searched, fit.error);
    if (error < fit.error) {
        fit.pair = searched;
        fit.error = choose_selectors(px, decoded_palette(fit.pair, mode), fit.selectors);
        refine_fit(px, mode, 2, fit);
    }
    return fit;
}

// Encodes the colour block of `px` into out[0..7].
MORVANE_DXT_INLINE void encode_colour_block(const BlockPixels& px, bool allow_three_colour, uint8_t* out) {
    if (colours_uniform(px)) {
        write_solid_block(solid_colour_fit(px.r[0], px.g[0], px.b[0], allow_three_colour), out);
        return;
    }
    const ColourLine line = principal_line(px);
    ColourFit four = fit_block_colours(px, PaletteMode::FourColour, line);
    if (allow_three_colour && four.error > 0) {
        ColourFit three = fit_block_colours(px, PaletteMode::ThreeColour, line);
        if (three.error < four.error) {
            write_three_colour_block(three.pair, three.selectors, out);
            return;
        }
    }
    write_four_colour_block(four.pair, four.selectors, out);
}

}  // namespace morvane::dxt
