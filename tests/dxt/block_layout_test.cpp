// What the format asks of the blocks, whatever the picture: the colour mode each format allows, alpha carried
// exactly where it can be, solid colours as near as any endpoint pair reaches, and our decoder reading blocks
// as libsquish's does; and of whole pictures: the same bytes on any number of threads, any size, nothing
// written past the blocks.
#include "dxt/block_decoder.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numeric>
#include <random>

namespace morvane::dxt::test {
namespace {

int expand(int q, int bits) { return bits == 5 ? (q << 3) | (q >> 2) : (q << 2) | (q >> 4); }

// The smallest distance from v to any palette entry of any endpoint pair, by trying them all.
int nearest_reachable(int v, int bits, bool three_colour) {
    int best = 256;
    for (int a = 0; a < (1 << bits); ++a)
        for (int b = 0, ea = expand(a, bits), eb = 0; b < (1 << bits); ++b) {
            eb = expand(b, bits);
            for (int e : {ea, eb, three_colour ? (ea + eb) / 2 : (2 * ea + eb) / 3, three_colour ? ea : (ea + 2 * eb) / 3})
                best = std::min(best, std::abs(e - v));
        }
    return best;
}

// A solid colour decodes to the nearest colour any palette of the format reaches: DXT1 may choose its
// three-colour mode (its half-way entry reaches colours four-colour mode cannot); DXT5 decodes four colours
// only. Sampled colours, the extremes, a dark one between the two darkest 5:6:5 steps, and exact 5:6:5 values
// (which must come back unchanged).
// Block k of a 64 x 64 picture holds alpha k throughout, every value 0..255 once: DXT5 keeps each exactly,
// DXT3 rounds each to the nearest of its sixteen levels. A 4 x 4 picture holds 0 and 255 beside values from 40
// to 150: DXT5's six-value palette keeps 0 and 255 exact and spaces its other entries about 30 apart, so no
// value is more than about 15 off.
TEST(BlockLayout, SolidColoursAreTheNearestAnyPaletteReachesAndAlphaIsExactWhereTheFormatCanHoldIt) {
    Picture p = photo_like(64, 64, 5), varied = photo_like(4, 4);
    for (int i = 0; i < 64 * 64; ++i) p.bgra[size_t(i) * 4 + 3] = uint8_t(i / 256 * 16 + i % 64 / 4);
    const auto dxt5 = decode(kDxt5, compress(kDxt5, p), p), dxt3 = decode(kDxt3, compress(kDxt3, p), p);
    for (size_t i = 3; i < p.bgra.size(); i += 4) {
        ASSERT_EQ(dxt5[i], p.bgra[i]) << "pixel " << i / 4;
        ASSERT_EQ(dxt3[i], (p.bgra[i] + 8) / 17 * 17) << "pixel " << i / 4;
    }
    const int first[16] = {0, 255, 40, 60, 80, 100, 120, 140, 0, 255, 50, 70, 90, 110, 130, 150};
    for (int i = 0; i < 16; ++i) varied.bgra[size_t(i) * 4 + 3] = uint8_t(first[i]);
    const auto alpha = decode(kDxt5, compress(kDxt5, varied), varied);
    for (size_t i = 0; i < 16; ++i)
        EXPECT_NEAR(alpha[i * 4 + 3], first[i], first[i] == 0 || first[i] == 255 ? 0 : 16) << "pixel " << i;
    std::vector<std::array<int, 3>> colours{{0, 0, 0}, {255, 255, 255}, {4, 2, 4}, {127, 128, 129}};
    for (int v = 0; v < 256; v += 3) colours.push_back({v, (v * 7 + 11) % 256, (v * 13 + 5) % 256});
    for (int q : {1, 17, 30}) colours.push_back({expand(q, 5), expand(q * 2 + 1, 6), expand(31 - q, 5)});
    for (const Format* f : {&kDxt1, &kDxt5}) {
        for (const std::array<int, 3>& rgb : colours) {
            Picture solid{4, 4, {}};
            for (int i = 0; i < 16; ++i) solid.bgra.insert(solid.bgra.end(), {uint8_t(rgb[2]), uint8_t(rgb[1]), uint8_t(rgb[0]), 255});
            const auto decoded = decode(*f, compress(*f, solid), solid);
            int expected = 1 << 30;
            for (bool three : {false, f == &kDxt1}) {
                int error = 0;
                for (int c = 0; c < 3; ++c) error += int(std::pow(nearest_reachable(rgb[size_t(c)], c == 1 ? 6 : 5, three), 2));
                expected = std::min(expected, error);
            }
            for (int i = 0; i < 16; ++i) {
                int error = 0;
                for (int c = 0; c < 3; ++c) error += int(std::pow(decoded[size_t(4 * i + c)] - rgb[size_t(c)], 2));
                ASSERT_EQ(error, expected) << f->name << " colour " << rgb[0] << "," << rgb[1] << "," << rgb[2];
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
        std::vector<uint8_t> blocks(12 * size_t(f.block_bytes)), ours(size_t(width) * height * 4);
        for (uint8_t& b : blocks) b = uint8_t(random());
        decode_image(f.format, blocks.data(), width, height, ours.data());
        for (size_t i = 0; i < ours.size(); i += 4) std::swap(ours[i], ours[i + 2]);  // to R, G, B, A
        EXPECT_EQ(ours, decode(f, blocks, Picture{width, height, {}})) << f.name;
    }
#endif
}

// Photo-like content with blocks of the awkward cases on top (single colours, two colours, colours one step
// apart, which quantise to one 5:6:5 value, black and white), uneven block rows and more blocks than one
// thread gets. DXT3 and DXT5 decoders always read four colours; DXT1 may use three, but its fourth entry is
// transparent and an opaque picture must never select it (the fourth byte does not count in DXT1).
TEST(ImageWalker, AnyThreadCountGivesTheSameBlocksEachInTheColourModeItsFormatAllows) {
    Picture p = photo_like(260, 130, 3);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 64; ++x) {
            const int block = x / 4, odd = (x + y) % 2;
            const int rgb[6][3] = {{0, 0, 0}, {255, 255, 255}, {100 + odd, 50, 200}, {odd * 255, 0, 0},
                                   {8 * block, 4 * block, 255 - 8 * block}, {1, 0, x % 2}};
            for (int c = 0; c < 3; ++c) p.bgra[(size_t(y) * p.width + x) * 4 + size_t(c)] = uint8_t(rgb[block % 6][2 - c]);
        }
    for (size_t i = 3; i < p.bgra.size(); i += 4) p.bgra[i] = uint8_t(i % 7 == 0 ? 0 : 255);
    for (const Format& f : kFormats) {
        const auto alone = compress(f, p, 1);
        for (int threads : {2, 4, 0}) EXPECT_EQ(compress(f, p, threads), alone) << f.name << " threads " << threads;
        for (size_t b = 0; b < alone.size() / size_t(f.block_bytes); ++b) {
            const uint8_t* colour = &alone[(b + 1) * size_t(f.block_bytes) - 8];  // the colour half ends each block
            const bool four_colour = (colour[0] | colour[1] << 8) > (colour[2] | colour[3] << 8);
            EXPECT_TRUE(four_colour || &f == &kDxt1) << f.name << " block " << b;
            for (int i = 0; i < 16 && !four_colour; ++i) EXPECT_NE((colour[4 + i / 4] >> (2 * (i % 4))) & 3, 3) << b;
        }
    }
}

// Blocks past the edge repeat the picture's last pixels: the real pixels decode about as close as libsquish's
// own best fit gets them (which weighs only the real pixels), and not one byte is written past the blocks.
TEST(ImageWalker, OddSizesDecodeAboutAsCloseAsLibsquishAndWriteOnlyTheirBlocks) {
    for (auto [w, h] : {std::pair{1, 1}, {2, 2}, {5, 3}, {3, 5}, {7, 9}, {13, 6}, {4, 1}, {1, 4}}) {
        const Picture p = photo_like(w, h, uint32_t(w * 31 + h));
        for (const Format& f : kFormats) {
            const size_t size = size_t(compressed_bytes(f.format, w, h));
            std::vector<uint8_t> blocks(size + 16, 0xAB);
            f.compress(p.bgra.data(), w, h, blocks.data(), 0);
            for (size_t i = size; i < blocks.size(); ++i) ASSERT_EQ(blocks[i], 0xAB) << f.name << " " << w << "x" << h;
#ifdef MORVANE_HAVE_SQUISH  // without it only the blocks' extent is checked
            const auto error = [&](const auto& b) { const auto e = block_errors(p, decode(f, b, p)); return std::accumulate(e.begin(), e.end(), 0.0); };
            EXPECT_LE(error(blocks), 1.5 * error(squish_fit(f, p)) + 48.0 * double(size / size_t(f.block_bytes))) << f.name << " " << w << "x" << h;
#endif
        }
    }
}

}  // namespace
}  // namespace morvane::dxt::test
