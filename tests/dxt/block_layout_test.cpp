// What the format asks of the blocks themselves, whatever the picture: the colour mode each format allows,
// alpha carried exactly where it can be, and our decoder reading them as libsquish's does.
#include "dxt/block_decoder.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace morvane::dxt::test {
namespace {

// A picture whose blocks cover the awkward cases: photo-like content, single colours, two colours,
// colours one step apart (which quantise to one 5:6:5 value), black and white.
Picture awkward_picture() {
    Picture p = photo_like(64, 64, 3);
    auto set = [&](int x, int y, int r, int g, int b) {
        uint8_t* px = &p.bgra[(size_t(y) * p.width + x) * 4];
        px[0] = uint8_t(b); px[1] = uint8_t(g); px[2] = uint8_t(r);
    };
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 64; ++x) {
            int block = x / 4;
            switch (block % 6) {
                case 0: set(x, y, 0, 0, 0); break;
                case 1: set(x, y, 255, 255, 255); break;
                case 2: set(x, y, 100 + (x + y) % 2, 50, 200); break;  // one 5:6:5 colour after rounding
                case 3: set(x, y, (x + y) % 2 ? 255 : 0, 0, 0); break;
                case 4: set(x, y, 8 * block, 4 * block, 255 - 8 * block); break;
                default: set(x, y, 1, 0, (x % 2)); break;
            }
        }
    for (size_t i = 3; i < p.bgra.size(); i += 4) p.bgra[i] = uint8_t(i % 7 == 0 ? 0 : 255);
    return p;
}

// DXT3 and DXT5 decoders always read four colours; DXT1 may use three, but its fourth entry is transparent
// and an opaque picture must never select it (the fourth byte does not count in DXT1).
TEST(BlockLayout, Dxt3AndDxt5ColourBlocksAreFourColourAndDxt1NeverSelectsTheTransparentEntry) {
    const Picture p = awkward_picture();
    for (const Format& f : kFormats) {
        const auto blocks = compress(f, p);
        for (size_t b = 0; b < block_count(f, blocks); ++b) {
            const ColourBlock block = read_colour_block(f, blocks, b);
            EXPECT_TRUE(block.four_colour() || &f == &kDxt1) << f.name << " block " << b;
            for (int i = 0; i < 16 && !block.four_colour(); ++i) EXPECT_NE(block.selector[i], 3) << b << " pixel " << i;
        }
    }
}

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
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) p.bgra[size_t(y * 64 + x) * 4 + 3] = uint8_t(y / 4 * 16 + x / 4);
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
