#pragma once
// The 8-byte colour block: 5:6:5 endpoints, their palette exactly as the common decoders compute it,
// and packing the endpoints and 2-bit selectors into bytes.
//
// Four-colour mode (color0 > color1): entries c0, c1, (2 c0 + c1) / 3, (c0 + 2 c1) / 3.
// Three-colour mode (color0 <= color1, DXT1 only): c0, c1, (c0 + c1) / 2, and transparent black,
// which this encoder never selects. DXT3 and DXT5 decoders may read every block as four-colour, so
// blocks for them always carry color0 > color1.
#include "dxt/block_pixels.h"
#include "dxt/tables.h"

#include <cstdint>

namespace morvane::dxt {

// A quantised endpoint: red and blue 0..31, green 0..63.
struct Colour565 {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Colour565&, const Colour565&) = default;
};

struct EndpointPair {
    Colour565 first, second;
    friend bool operator==(const EndpointPair&, const EndpointPair&) = default;
};

enum class PaletteMode { FourColour, ThreeColour };

// Decoded palette entries, 0..255 per channel. Unused entries lie far away so no pixel picks them.
struct Palette {
    int32_t r[4], g[4], b[4];
};

MORVANE_DXT_INLINE uint16_t pack565(Colour565 c) { return uint16_t((c.r << 11) | (c.g << 5) | c.b); }

MORVANE_DXT_INLINE Colour565 unpack565(uint16_t v) { return Colour565{(v >> 11) & 31, (v >> 5) & 63, v & 31}; }

// Entries 2 and 3 of one channel for endpoints e0, e1 already expanded to 8 bits, with the decoders'
// truncating division. The three-colour mode's entry 3 (transparent black) is put where no pixel picks it.
MORVANE_DXT_INLINE int32_t palette_entry2(int e0, int e1, PaletteMode mode) {
    return mode == PaletteMode::FourColour ? (2 * e0 + e1) / 3 : (e0 + e1) / 2;
}
MORVANE_DXT_INLINE int32_t palette_entry3(int e0, int e1, PaletteMode mode) {
    return mode == PaletteMode::FourColour ? (e0 + 2 * e1) / 3 : 2048;  // 2048: farther than any pixel, no overflow
}

// One channel's four entries, as decoded_palette below has them.
MORVANE_DXT_INLINE void channel_palette(int e0, int e1, PaletteMode mode, int32_t out[4]) {
    out[0] = e0;
    out[1] = e1;
    out[2] = palette_entry2(e0, e1, mode);
    out[3] = palette_entry3(e0, e1, mode);
}

MORVANE_DXT_INLINE Palette decoded_palette(EndpointPair e, PaletteMode mode) {
    const int r0 = expand5(e.first.r), g0 = expand6(e.first.g), b0 = expand5(e.first.b);
    const int r1 = expand5(e.second.r), g1 = expand6(e.second.g), b1 = expand5(e.second.b);
    Palette p;
    p.r[0] = r0; p.g[0] = g0; p.b[0] = b0;
    p.r[1] = r1; p.g[1] = g1; p.b[1] = b1;
    p.r[2] = palette_entry2(r0, r1, mode); p.g[2] = palette_entry2(g0, g1, mode); p.b[2] = palette_entry2(b0, b1, mode);
    p.r[3] = palette_entry3(r0, r1, mode); p.g[3] = palette_entry3(g0, g1, mode); p.b[3] = palette_entry3(b0, b1, mode);
    return p;
}

// Writes a four-colour block. The selectors index the palette of `e` as given; the pair is put in
// the order the format needs, and a pair that quantised to one colour still decodes as four-colour.
void write_four_colour_block(EndpointPair e, const uint8_t selectors[16], uint8_t* out);

// Writes a DXT1 three-colour block (selectors 0..2 only) for the palette of `e`.
void write_three_colour_block(EndpointPair e, const uint8_t selectors[16], uint8_t* out);

}  // namespace morvane::dxt
