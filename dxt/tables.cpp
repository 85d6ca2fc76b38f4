#include "dxt/tables.h"

#include "dxt/colour_block.h"

#include <cstdlib>
#include <initializer_list>

namespace morvane::dxt {
namespace {

template <int Bits>
int expand(int q) {
    return Bits == 5 ? expand5(q) : expand6(q);
}

template <int Bits>
void fill_quantise(uint8_t* out) {
    for (int v = 0; v < 256; ++v) {
        int best = 0, best_error = 1 << 30;
        for (int q = 0; q < (1 << Bits); ++q) {
            int e = std::abs(expand<Bits>(q) - v);
            if (e < best_error) { best_error = e; best = q; }
        }
        out[v] = uint8_t(best);
    }
}

// Every endpoint pair is tried once: each lands its palette entry in the bucket of that 8-bit value,
// keeping the pair with the nearer endpoints (so that rounding elsewhere matters least). Each wanted value
// then takes the nearest filled bucket; the entries are exact integers as the decoder computes them.
template <int Bits, PaletteMode Mode>
void fill_solid(SolidPair* out) {
    int spread_at[256], first_at[256], second_at[256];
    for (int v = 0; v < 256; ++v) spread_at[v] = 1 << 30;
    for (int a = 0; a < (1 << Bits); ++a) {
        for (int b = 0; b < (1 << Bits); ++b) {
            int entry = palette_entry2(expand<Bits>(a), expand<Bits>(b), Mode);
            int spread = std::abs(a - b);
            if (spread < spread_at[entry]) { spread_at[entry] = spread; first_at[entry] = a; second_at[entry] = b; }
        }
    }
    for (int v = 0; v < 256; ++v) {
        for (int d = 0; d < 256; ++d) {
            int pick = -1;
            for (int w : {v - d, v + d})
                if (w >= 0 && w < 256 && spread_at[w] < (1 << 30) && (pick < 0 || spread_at[w] < spread_at[pick])) pick = w;
            if (pick >= 0) {
                out[v] = SolidPair{uint8_t(first_at[pick]), uint8_t(second_at[pick]), uint8_t(d)};
                break;
            }
        }
    }
}

Tables build_tables() {
    Tables t;
    fill_quantise<5>(t.quantise5);
    fill_quantise<6>(t.quantise6);
    fill_solid<5, PaletteMode::FourColour>(t.third5);
    fill_solid<6, PaletteMode::FourColour>(t.third6);
    fill_solid<5, PaletteMode::ThreeColour>(t.half5);
    fill_solid<6, PaletteMode::ThreeColour>(t.half6);
    return t;
}

}  // namespace

const Tables& tables() {
    static const Tables built = build_tables();
    return built;
}

}  // namespace morvane::dxt
