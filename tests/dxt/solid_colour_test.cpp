// Blocks of one colour: decoded by libsquish, they must give the nearest colour any endpoint pair reaches.
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace morvane::dxt::test {
namespace {

int expand(int q, int bits) { return bits == 5 ? (q << 3) | (q >> 2) : (q << 2) | (q >> 4); }

// The smallest distance from v to any palette entry of any endpoint pair, by trying them all.
int nearest_reachable(int v, int bits, bool three_colour) {
    int best = 256;
    for (int a = 0; a < (1 << bits); ++a)
        for (int b = 0; b < (1 << bits); ++b) {
            int ea = expand(a, bits), eb = expand(b, bits);
            int entries[4] = {ea, eb, three_colour ? (ea + eb) / 2 : (2 * ea + eb) / 3, three_colour ? ea : (ea + 2 * eb) / 3};
            for (int e : entries) best = std::min(best, std::abs(e - v));
        }
    return best;
}

// DXT1 may choose its three-colour mode (its half-way entry reaches colours four-colour mode cannot);
// DXT5 decodes four colours only. Sampled colours, the extremes, a dark one between the two darkest 5:6:5
// steps, and exact 5:6:5 values (which must come back unchanged).
TEST(SolidColourBlocks, DecodeToTheNearestColourAnyPaletteOfTheFormatReaches) {
    std::vector<std::array<int, 3>> colours{{0, 0, 0}, {255, 255, 255}, {4, 2, 4}, {127, 128, 129}};
    for (int v = 0; v < 256; v += 3) colours.push_back({v, (v * 7 + 11) % 256, (v * 13 + 5) % 256});
    for (int q : {1, 17, 30}) colours.push_back({expand(q, 5), expand(q * 2 + 1, 6), expand(31 - q, 5)});
    for (const Format* f : {&kDxt1, &kDxt5}) {
        for (const std::array<int, 3>& colour : colours) {
            const int r = colour[0], g = colour[1], b = colour[2];  // named, not bound: clang 14 cannot capture bindings
            Picture p{4, 4, {}};
            for (int i = 0; i < 16; ++i) p.bgra.insert(p.bgra.end(), {uint8_t(b), uint8_t(g), uint8_t(r), 255});
            const auto rgba = decode(*f, compress(*f, p), p);
            auto best = [&](bool three) {
                const int dr = nearest_reachable(r, 5, three), dg = nearest_reachable(g, 6, three),
                          db = nearest_reachable(b, 5, three);
                return dr * dr + dg * dg + db * db;
            };
            const int expected = f == &kDxt1 ? std::min(best(false), best(true)) : best(false);
            for (int i = 0; i < 16; ++i) {
                const int er = rgba[4 * i] - r, eg = rgba[4 * i + 1] - g, eb = rgba[4 * i + 2] - b;
                ASSERT_EQ(er * er + eg * eg + eb * eb, expected)
                    << f->name << " colour " << r << "," << g << "," << b;
            }
        }
    }
}

}  // namespace
}  // namespace morvane::dxt::test
