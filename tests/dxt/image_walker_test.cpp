// Whole pictures: any size, the same bytes on any number of threads, nothing written past the blocks.
#include "block_bytes.h"
#include "dxt/block_encoder.h"
#include "test_pictures.h"

#include <gtest/gtest.h>
#include <squish.h>

#include <algorithm>
#include <cstdlib>

namespace morvane::dxt::test {
namespace {

using CompressFn = void (*)(const uint8_t*, int, int, uint8_t*, int);

struct Format {
    const char* name;
    CompressFn compress;
    int block_bytes;
    int squish_format;
};

const Format kFormats[] = {
    {"DXT1", morvane_compress_dxt1, 8, squish::kDxt1},
    {"DXT3", morvane_compress_dxt3, 16, squish::kDxt3},
    {"DXT5", morvane_compress_dxt5, 16, squish::kDxt5},
};

TEST(ImageWalker, ThreadedAndSingleThreadedCompressionGiveIdenticalBytes) {
    const Picture p = photo_like(260, 130, 11);  // uneven block rows, more blocks than one thread gets
    for (const Format& f : kFormats) {
        std::vector<uint8_t> alone(block_count(p.width, p.height) * size_t(f.block_bytes));
        std::vector<uint8_t> shared(alone.size()), four(alone.size()), pool(alone.size());
        f.compress(p.bgra.data(), p.width, p.height, alone.data(), 1);
        f.compress(p.bgra.data(), p.width, p.height, shared.data(), 2);
        f.compress(p.bgra.data(), p.width, p.height, four.data(), 4);
        f.compress(p.bgra.data(), p.width, p.height, pool.data(), 0);
        EXPECT_EQ(alone, shared) << f.name;
        EXPECT_EQ(alone, four) << f.name;
        EXPECT_EQ(alone, pool) << f.name;
    }
}

double squared_error(const Picture& p, const std::vector<uint8_t>& rgba) {
    double sum = 0;
    for (size_t i = 0; i < rgba.size(); i += 4)
        for (int c = 0; c < 3; ++c) {
            double d = double(rgba[i + size_t(c)]) - p.bgra[i + 2 - size_t(c)];
            sum += d * d;
        }
    return sum;
}

// Blocks past the edge repeat the picture's last pixels: the real pixels decode as close as libsquish's own
// best fit gets them (which weighs only the real pixels), give or take a little.
TEST(ImageWalker, OddSizesDecodeAboutAsCloseAsLibsquishAndWriteOnlyTheirBlocks) {
    const int sizes[][2] = {{1, 1}, {2, 2}, {5, 3}, {3, 5}, {7, 9}, {4, 1}, {1, 4}, {13, 6}};
    for (auto [w, h] : sizes) {
        const Picture p = photo_like(w, h, uint32_t(w * 31 + h));
        for (const Format& f : kFormats) {
            const size_t size = block_count(w, h) * size_t(f.block_bytes);
            std::vector<uint8_t> blocks(size + 16, 0xAB);
            f.compress(p.bgra.data(), w, h, blocks.data(), 0);
            for (size_t i = size; i < blocks.size(); ++i) ASSERT_EQ(blocks[i], 0xAB) << f.name << " " << w << "x" << h;
            std::vector<uint8_t> rgba(p.bgra.size());
            squish::DecompressImage(rgba.data(), w, h, blocks.data(), f.squish_format);

            std::vector<uint8_t> source_rgba = p.bgra, reference(size), reference_rgba(p.bgra.size());
            for (size_t i = 0; i < source_rgba.size(); i += 4) std::swap(source_rgba[i], source_rgba[i + 2]);
            squish::CompressImage(source_rgba.data(), w, h, reference.data(),
                                  f.squish_format | squish::kColourIterativeClusterFit);
            squish::DecompressImage(reference_rgba.data(), w, h, reference.data(), f.squish_format);
            EXPECT_LE(squared_error(p, rgba), 1.5 * squared_error(p, reference_rgba) + 48.0 * double(block_count(w, h)))
                << f.name << " " << w << "x" << h;
        }
    }
}

TEST(ImageWalker, ASinglePixelPictureDecodesToThatPixelsNearestReachableColour) {
    const uint8_t bgra[4] = {33, 200, 120, 255};
    uint8_t block[16];
    morvane_compress_dxt5(bgra, 1, 1, block);
    uint8_t rgba[64];
    squish::Decompress(rgba, block, squish::kDxt5);
    EXPECT_NEAR(rgba[0], 120, 2);
    EXPECT_NEAR(rgba[1], 200, 1);
    EXPECT_NEAR(rgba[2], 33, 2);
    EXPECT_EQ(rgba[3], 255);
}

TEST(ImageWalker, AnEmptyOrMissingPictureWritesNothingHarmful) {
    std::vector<uint8_t> blocks(16, 0xAB);
    morvane_compress_dxt5(nullptr, 4, 4, blocks.data());
    morvane_compress_dxt5(blocks.data(), 0, 0, blocks.data());
    morvane_compress_dxt5(blocks.data(), 4, 4, nullptr);
    SUCCEED();
}

}  // namespace
}  // namespace morvane::dxt::test
