// Whole pictures: the same bytes on any number of threads, each block in the colour mode its format allows,
// any size, nothing written past the blocks.
#include "test_support.h"

#include <gtest/gtest.h>

#include <numeric>

namespace morvane::dxt::test {
namespace {

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
            uint8_t* px = &p.bgra[(size_t(y) * p.width + x) * 4];
            for (int c = 0; c < 3; ++c) px[c] = uint8_t(rgb[block % 6][2 - c]);
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
    const int sizes[][2] = {{1, 1}, {2, 2}, {5, 3}, {3, 5}, {7, 9}, {13, 6}, {4, 1}, {1, 4}};
    for (auto [w, h] : sizes) {
        const Picture p = photo_like(w, h, uint32_t(w * 31 + h));
        for (const Format& f : kFormats) {
            const size_t size = size_t(compressed_bytes(f.format, w, h));
            std::vector<uint8_t> blocks(size + 16, 0xAB);
            f.compress(p.bgra.data(), w, h, blocks.data(), 0);
            for (size_t i = size; i < blocks.size(); ++i) ASSERT_EQ(blocks[i], 0xAB) << f.name << " " << w << "x" << h;
            blocks.resize(size);
#ifdef MORVANE_HAVE_SQUISH  // without it only the blocks' extent is checked
            const auto reference = squish_cluster_fit(f, p);
            const auto error = [&](const auto& b) {
                const auto e = block_errors(p, decode(f, b, p));
                return std::accumulate(e.begin(), e.end(), 0.0);
            };
            EXPECT_LE(error(blocks), 1.5 * error(reference) + 48.0 * double(reference.size() / size_t(f.block_bytes)))
                << f.name << " " << w << "x" << h;
#endif
        }
    }
}

}  // namespace
}  // namespace morvane::dxt::test
