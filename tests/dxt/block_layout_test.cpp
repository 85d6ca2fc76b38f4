// What the format asks of the blocks themselves, whatever the picture: alpha carried exactly where it can be,
// solid colours as near as any endpoint pair reaches, and our decoder reading blocks as libsquish's does.
#include "dxt/block_decoder.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace morvane::dxt::test {
namespace {

std::vector<uint8_t> decoded_alpha(const Format& f, const Picture& p) {
    const auto rgba = decode(f, compress(f, p), p);
    std::vector<uint8_t> alpha;
    for (size_t i = 3; i < rgba.size(); i += 4) alpha.push_back(rgba[i]);
    return alpha;
}

// Block k of a 64 x 64 picture holds alpha k throughout, every value 0..255 once: DXT5 keeps each exactly,
// DXT3 rounds each to the nearest of its sixteen levels. A 4 x 4 picture holds 0 and 255 beside values from 40
// to 150: DXT5's six-value palette keeps 0 and 255 exact and spaces its other entries about 30 apart, so no
// value is more than about 15 off.
TEST(BlockLayout, AlphaIsExactWhereTheFormatCanHoldItAndCloseWhereItVaries) {
    Picture p = photo_like(64, 64, 5);
    for (int i = 0; i < 64 * 64; ++i) p.bgra[size_t(i) * 4 + 3] = uint8_t(i / 256 * 16 + i % 64 / 4);
    const auto dxt5 = decoded_alpha(kDxt5, p), dxt3 = decoded_alpha(kDxt3, p);
    for (int i = 0; i < 64 * 64; ++i) {
        const int a = p.bgra[size_t(i) * 4 + 3];
        ASSERT_EQ(dxt5[size_t(i)], a) << "pixel " << i;
        ASSERT_EQ(dxt3[size_t(i)], (a + 8) / 17 * 17) << "pixel " << i;
    }
    Picture varied = photo_like(4, 4);
    const int first[16] = {0, 255, 40, 60, 80, 100, 120, 140, 0, 255, 50, 70, 90, 110, 130, 150};
    for (int i = 0; i < 16; ++i) varied.bgra[size_t(i) * 4 + 3] = uint8_t(first[i]);
    const auto alpha = decoded_alpha(kDxt5, varied);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(alpha[size_t(i)], first[i], first[i] == 0 || first[i] == 255 ? 0 : 16) << "pixel " << i;
}

int expand(int q, int bits) { return bits == 5 ? (q << 3) | (q >> 2) : (q << 2) | (q >> 4); }

// The smallest distance from v to any palette entry of any endpoint pair, by trying them all.
int nearest_reachable(int v, int bits, bool three_colour) {
    int best = 256;
    for (int a = 0; a < (1 << bits); ++a)
        for (int b = 0; b < (1 << bits); ++b) {
            const int ea = expand(a, bits), eb = expand(b, bits);
            const int entries[4] = {ea, eb, three_colour ? (ea + eb) / 2 : (2 * ea + eb) / 3, three_colour ? ea : (ea + 2 * eb) / 3};
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
                const int dr = nearest_reachable(r, 5, three), dg = nearest_reachable(g, 6, three), db = nearest_reachable(b, 5, three);
                return dr * dr + dg * dg + db * db;
            };
            const int expected = f == &kDxt1 ? std::min(best(false), best(true)) : best(false);
            for (int i = 0; i < 16; ++i) {
                const int er = rgba[4 * i] - r, eg = rgba[4 * i + 1] - g, eb = rgba[4 * i + 2] - b;
                ASSERT_EQ(er * er + eg * eg + eb * eb, expected) << f->name << " colour " << r << "," << g << "," << b;
            }
        }
    }
}

// Our decoder, which builds without libsquish, reads every block as libsquish's decoder does: random bytes
// cover both colour modes, every selector and both alpha modes, on a picture with cut-off edge blocks.
TEST(BlockDecoder, RandomBlocksDecodeToLibsquishsPixelsInEveryFormat) {
#ifndef MORVANE_HAVE_SQUISH
    GTEST_SKIP() << "this build has no libsquish to compare our decoder with";
#else
    std::mt19937 random(7);
    const int width = 13, height = 9;  // 4 x 3 blocks, the last column and row cut off
    for (const Format& f : kFormats) {
        std::vector<uint8_t> blocks(12 * size_t(f.block_bytes));
        for (uint8_t& b : blocks) b = uint8_t(random());
        std::vector<uint8_t> expected(size_t(width) * height * 4), ours(expected.size());
        squish::DecompressImage(expected.data(), width, height, blocks.data(), squish_format(f));
        for (size_t i = 0; i < expected.size(); i += 4) std::swap(expected[i], expected[i + 2]);  // to B, G, R, A
        decode_image(f.format, blocks.data(), width, height, ours.data());
        EXPECT_EQ(ours, expected) << f.name;
    }
#endif
}

}  // namespace
}  // namespace morvane::dxt::test
