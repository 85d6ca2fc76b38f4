// Whole pictures: any size, the same bytes on any number of threads, nothing written past the blocks.
#include "test_support.h"

#include <gtest/gtest.h>

#include <numeric>

namespace morvane::dxt::test {
namespace {

TEST(ImageWalker, ThreadedAndSingleThreadedCompressionGiveIdenticalBytes) {
    const Picture p = photo_like(260, 130, 11);  // uneven block rows, more blocks than one thread gets
    for (const Format& f : kFormats) {
        const auto alone = compress(f, p, 1);
        for (int threads : {2, 4, 0}) EXPECT_EQ(compress(f, p, threads), alone) << f.name << " threads " << threads;
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
            EXPECT_LE(error(blocks), 1.5 * error(reference) + 48.0 * double(block_count(f, reference)))
                << f.name << " " << w << "x" << h;
#endif
        }
    }
}

}  // namespace
}  // namespace morvane::dxt::test
