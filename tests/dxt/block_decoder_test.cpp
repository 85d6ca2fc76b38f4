// Our decoder, which builds without libsquish use, reads every block as libsquish's decoder does: random
// bytes cover both colour modes, every selector and both alpha modes, on a picture with cut-off edge blocks.
#include "dxt/block_decoder.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace morvane::dxt::test {

TEST(BlockDecoder, RandomBlocksDecodeToLibsquishsPixelsInEveryFormat) {
    std::mt19937 random(7);
    const int width = 13, height = 9;  // 4 x 3 blocks, the last column and row cut off
    for (const Format& f : kFormats) {
        std::vector<uint8_t> blocks(12 * size_t(f.block_bytes));
        for (uint8_t& b : blocks) b = uint8_t(random());
        std::vector<uint8_t> expected(size_t(width) * height * 4), ours(expected.size());
        squish::DecompressImage(expected.data(), width, height, blocks.data(), f.squish_format);
        for (size_t i = 0; i < expected.size(); i += 4) std::swap(expected[i], expected[i + 2]);  // to B, G, R, A
        const BlockFormat format = f.block_bytes == 8 ? BlockFormat::Dxt1
                                   : f.squish_format == squish::kDxt3 ? BlockFormat::Dxt3 : BlockFormat::Dxt5;
        decode_image(format, blocks.data(), width, height, ours.data());
        EXPECT_EQ(ours, expected) << f.name;
    }
}

}  // namespace morvane::dxt::test
