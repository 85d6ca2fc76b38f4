// What the format asks of the blocks themselves, whatever the picture: endpoint order per mode, no
// transparent selector in opaque DXT1, alpha carried exactly where it can be.
#include "block_bytes.h"
#include "dxt/block_encoder.h"
#include "test_pictures.h"

#include <gtest/gtest.h>
#include <squish.h>

#include <cstdlib>

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
    return p;
}

TEST(BlockLayout, Dxt5ColourBlocksAlwaysDecodeInFourColourMode) {
    const Picture p = awkward_picture();
    std::vector<uint8_t> blocks(block_count(p.width, p.height) * 16);
    morvane_compress_dxt5(p.bgra.data(), p.width, p.height, blocks.data());
    for (size_t b = 0; b < blocks.size() / 16; ++b)
        EXPECT_TRUE(read_colour_block(&blocks[b * 16 + 8]).four_colour()) << "block " << b;
}

TEST(BlockLayout, Dxt3ColourBlocksAlwaysDecodeInFourColourMode) {
    const Picture p = awkward_picture();
    std::vector<uint8_t> blocks(block_count(p.width, p.height) * 16);
    morvane_compress_dxt3(p.bgra.data(), p.width, p.height, blocks.data());
    for (size_t b = 0; b < blocks.size() / 16; ++b)
        EXPECT_TRUE(read_colour_block(&blocks[b * 16 + 8]).four_colour()) << "block " << b;
}

TEST(BlockLayout, Dxt1BlocksAreFourColourWithOrderedEndpointsOrThreeColourWithoutTheTransparentEntry) {
    Picture p = awkward_picture();
    for (size_t i = 3; i < p.bgra.size(); i += 4) p.bgra[i] = uint8_t(i % 7 == 0 ? 0 : 255);  // alpha is ignored
    std::vector<uint8_t> blocks(block_count(p.width, p.height) * 8);
    morvane_compress_dxt1(p.bgra.data(), p.width, p.height, blocks.data());
    int three_colour = 0;
    for (size_t b = 0; b < blocks.size() / 8; ++b) {
        const ColourBlock block = read_colour_block(&blocks[b * 8]);
        if (block.four_colour()) continue;
        ++three_colour;
        for (int i = 0; i < 16; ++i) EXPECT_NE(block.selector[i], 3) << "block " << b << " pixel " << i;
    }
    std::vector<uint8_t> rgba(p.bgra.size());
    squish::DecompressImage(rgba.data(), p.width, p.height, blocks.data(), squish::kDxt1);
    for (size_t i = 3; i < rgba.size(); i += 4) ASSERT_EQ(rgba[i], 255) << "pixel " << i / 4;
    RecordProperty("three_colour_blocks", three_colour);
}

TEST(BlockLayout, Dxt5AlphaOfABlockWithOneValueDecodesExactlyForEveryValue) {
    for (int a = 0; a < 256; ++a) {
        Picture p = photo_like(8, 8, uint32_t(a));
        for (size_t i = 3; i < p.bgra.size(); i += 4) p.bgra[i] = uint8_t(a);
        std::vector<uint8_t> blocks(4 * 16);
        morvane_compress_dxt5(p.bgra.data(), 8, 8, blocks.data());
        std::vector<uint8_t> rgba(p.bgra.size());
        squish::DecompressImage(rgba.data(), 8, 8, blocks.data(), squish::kDxt5);
        for (size_t i = 3; i < rgba.size(); i += 4) ASSERT_EQ(rgba[i], a) << "alpha " << a;
    }
}

TEST(BlockLayout, Dxt3AlphaIsEachValueRoundedToSixteenLevels) {
    Picture p = photo_like(16, 16);
    for (size_t i = 3; i < p.bgra.size(); i += 4) p.bgra[i] = uint8_t(i / 4);  // every value 0..255 once
    std::vector<uint8_t> blocks(16 * 16);
    morvane_compress_dxt3(p.bgra.data(), 16, 16, blocks.data());
    std::vector<uint8_t> rgba(p.bgra.size());
    squish::DecompressImage(rgba.data(), 16, 16, blocks.data(), squish::kDxt3);
    for (int a = 0; a < 256; ++a) EXPECT_EQ(rgba[size_t(a) * 4 + 3], (a + 8) / 17 * 17) << "alpha " << a;
}

// The first block holds 0 and 255 beside values from 40 to 189: the six-value palette keeps 0 and 255
// exact and spaces its other entries about 30 apart, so no value is more than about 15 off.
TEST(BlockLayout, Dxt5AlphaThatVariesStaysCloseAndKeepsFullyTransparentAndOpaquePixelsExact) {
    Picture p = photo_like(8, 4);
    const int first[16] = {0, 255, 40, 60, 80, 100, 120, 140, 0, 255, 50, 70, 90, 110, 130, 150};
    for (int i = 0; i < 32; ++i) p.bgra[size_t(i) * 4 + 3] = uint8_t(i < 16 ? first[i] : 7 * i);
    std::vector<uint8_t> blocks(2 * 16);
    morvane_compress_dxt5(p.bgra.data(), 8, 4, blocks.data());
    std::vector<uint8_t> rgba(p.bgra.size());
    squish::DecompressImage(rgba.data(), 8, 4, blocks.data(), squish::kDxt5);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            size_t i = size_t(y * 8 + x) * 4 + 3;
            int want = p.bgra[i];
            if (want == 0 || want == 255) EXPECT_EQ(rgba[i], want) << x << "," << y;
            else EXPECT_LE(std::abs(int(rgba[i]) - want), 16) << x << "," << y;
        }
}

}  // namespace
}  // namespace morvane::dxt::test
