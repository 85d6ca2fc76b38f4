#pragma once
// The colour half of a block, from pixels to its 8 bytes: a solid block takes the table fit; any other
// starts on its principal axis and alternates exact refinement of the endpoints with fresh selectors. Blocks
// that this first fit leaves off by more than the 5:6:5 steps go on: a second start when the error is
// noticeable, cluster fit over every ordering of the pixels when it is large (exhaustive_cluster_fit.h), and
// for all of them the endpoints perturbed around the best pair until no step helps (endpoint_perturbation.h).
// DXT1 blocks may end in three-colour mode when that decodes closer (never using its transparent entry);
// DXT3 and DXT5 blocks are always four-colour.
#include "dxt/block_pixels.h"
#include "dxt/colour_block.h"
#include "dxt/endpoint_perturbation.h"
#include "dxt/exhaustive_cluster_fit.h"
#include "dxt/least_squares_refine.h"
#include "dxt/palette_error.h"
#include "dxt/principal_axis.h"
#include "dxt/solid_colour_fit.h"
#include "dxt/tables.h"

namespace morvane::dxt {

// How much work a block gets is decided by its squared RGB error (16 pixels, 3 channels) after the first fit.
// Up to here (an average error of 0.8 per channel, about the 5:6:5 steps themselves) it is already close and
// stays on the fast path: smooth skies and walls end after the first fit.
inline constexpr int32_t kCloseBlockError = 32;
// Above here (an average error of 2 per channel) a second start, the pixels spread evenly over the palette.
inline constexpr int32_t kEasyBlockError = 192;
// Above here (an average of 3.3 per channel: the sharpest detail of grass, gravel and bark) the expensive
// search, cluster fit over every ordering of the pixels along the principal axis. It starts a block in a better
// place than the second start does: 0.005 to 0.025 dB on the benchmark's photographs from the blocks between 512
// and 1024, where trying every pair within two steps of where the perturbation settles gains no more.
// Every block above kCloseBlockError ends with its endpoints perturbed until they settle.
inline constexpr int32_t kHardBlockError = 512;

MORVANE_DXT_INLINE EndpointPair quantise_range(const ColourRange& range) {
    const Tables& t = tables();
    auto q5 = [&](float v) { return int(t.quantise5[int(v + 0.5f)]); };
    auto q6 = [&](float v) { return int(t.quantise6[int(v + 0.5f)]); };
    return {{q5(range.high.r), q6(range.high.g), q5(range.high.b)},
            {q5(range.low.r), q6(range.low.g), q5(range.low.b)}};
}

// The first fit, which decides how much more a block gets: the colours' span on the principal line, refined.
MORVANE_DXT_INLINE ColourFit first_fit(const BlockPixels& px, PaletteMode mode, const ColourLine& line) {
    ColourFit fit;
    fit.pair = quantise_range(principal_range(line));
    fit.error = choose_selectors(px, decoded_palette(fit.pair, mode), fit.selectors);
    refine_fit(px, mode, 4, fit);
    return fit;
}

// Whether a block takes the expensive search (four-colour mode: DXT1's three-colour fit is only the thumbnail's
// second try).
MORVANE_DXT_INLINE bool takes_expensive_search(const ColourFit& first, PaletteMode mode) {
    return mode == PaletteMode::FourColour && first.error > kHardBlockError;
}

// The work a block's colours get in four-colour mode, from least to most, as fit_block_colours decides it.
enum class ColourTier {
    Solid,        // one colour: the table fit
    Close,        // the first fit alone
    Perturbed,    // then the perturbation
    SecondStart,  // a second start first
    Search,       // and before both, cluster fit over every ordering
};
inline constexpr int kColourTiers = 5;

MORVANE_DXT_INLINE ColourTier colour_tier(const BlockPixels& px) {
    if (colours_uniform(px)) return ColourTier::Solid;
    const int32_t error = first_fit(px, PaletteMode::FourColour, principal_line(px)).error;
    return error <= kCloseBlockError ? ColourTier::Close
           : error <= kEasyBlockError ? ColourTier::Perturbed
           : error <= kHardBlockError ? ColourTier::SecondStart
                                      : ColourTier::Search;
}

MORVANE_DXT_INLINE ColourFit fit_block_colours(const BlockPixels& px, PaletteMode mode, const ColourLine& line) {
    ColourFit fit = first_fit(px, mode, line);
    if (fit.error <= kCloseBlockError) return fit;
    const bool hard = takes_expensive_search(fit, mode);
    if (fit.error > kEasyBlockError) {
        ColourFit spread;
        even_selectors(px, line, mode == PaletteMode::ThreeColour, spread.selectors);
        spread.pair = refine_endpoints(px, spread.selectors, mode);
        spread.error = choose_selectors(px, decoded_palette(spread.pair, mode), spread.selectors);
        refine_fit(px, mode, 4, spread);
        if (spread.error < fit.error) fit = spread;
    }
    if (hard) cluster_fit(px, line, fit);
    perturb_until_settled(px, mode, fit);
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
