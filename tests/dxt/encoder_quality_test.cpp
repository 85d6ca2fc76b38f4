// Our encoder against libsquish's best fit on the same pictures, both decoded by libsquish.
#include "block_bytes.h"
#include "dxt/block_encoder.h"
#include "test_pictures.h"

#include <gtest/gtest.h>
#include <squish.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace morvane::dxt::test {
namespace {

struct Encoded {
    std::vector<uint8_t> blocks;
    std::vector<double> block_error;
    double psnr = 0;
};

Encoded decode_and_measure(const Picture& p, std::vector<uint8_t> blocks, int squish_format) {
    std::vector<uint8_t> rgba(p.bgra.size());
    squish::DecompressImage(rgba.data(), p.width, p.height, blocks.data(), squish_format);
    Encoded e{std::move(blocks), block_errors(p.bgra, rgba, p.width, p.height), 0};
    double sum = std::accumulate(e.block_error.begin(), e.block_error.end(), 0.0);
    e.psnr = 10 * std::log10(255.0 * 255.0 * 3 * p.width * p.height / std::max(sum, 1e-9));
    return e;
}

Encoded ours_dxt5(const Picture& p) {
    std::vector<uint8_t> blocks(block_count(p.width, p.height) * 16);
    morvane_compress_dxt5(p.bgra.data(), p.width, p.height, blocks.data());
    return decode_and_measure(p, std::move(blocks), squish::kDxt5);
}

Encoded squish_cluster_dxt5(const Picture& p) {
    std::vector<uint8_t> rgba = p.bgra;
    for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
    std::vector<uint8_t> blocks(block_count(p.width, p.height) * 16);
    squish::CompressImage(rgba.data(), p.width, p.height, blocks.data(), squish::kDxt5 | squish::kColourIterativeClusterFit);
    return decode_and_measure(p, std::move(blocks), squish::kDxt5);
}

// The picture as a whole at least as close as libsquish's iterative cluster fit (less 0.05 dB), and no
// block far off libsquish's fit of that same block. Single blocks may come out worse than libsquish's
// (each encoder settles in its own optimum), but not by more than 2.5 times its error plus one step of 4
// per channel on one pixel (48): a block with wrong endpoints, selectors or order is off by far more.
void expect_at_least_cluster_fit_quality(const Picture& p) {
    const Encoded ours = ours_dxt5(p), reference = squish_cluster_dxt5(p);
    EXPECT_GE(ours.psnr, reference.psnr - 0.05) << "ours " << ours.psnr << " dB, libsquish " << reference.psnr << " dB";
    size_t worse = 0;
    for (size_t b = 0; b < ours.block_error.size(); ++b) {
        double limit = 2.5 * (reference.block_error[b] + 48) - 48;
        if (ours.block_error[b] > limit) {
            if (++worse <= 5)
                ADD_FAILURE() << "block " << b << ": squared error " << ours.block_error[b] << " against libsquish's "
                              << reference.block_error[b];
        }
    }
    EXPECT_EQ(worse, 0u);
}

TEST(EncoderQuality, APhotographDecodesAtLeastAsCloseAsWithLibsquishsBestFitBlockByBlock) {
    const Picture photo = installed_photo(384, 256);
    if (photo.bgra.empty()) GTEST_SKIP() << "no wallpaper photographs installed (scripts/bench.sh installs them)";
    expect_at_least_cluster_fit_quality(photo);
}

TEST(EncoderQuality, APhotoLikePictureDecodesAtLeastAsCloseAsWithLibsquishsBestFitBlockByBlock) {
    expect_at_least_cluster_fit_quality(photo_like(256, 192));
}

TEST(EncoderQuality, Dxt1UsesItsThreeColourModeOnlyWhereItDecodesCloser) {
    const Picture p = photo_like(128, 128, 7);
    std::vector<uint8_t> dxt1(block_count(p.width, p.height) * 8);
    morvane_compress_dxt1(p.bgra.data(), p.width, p.height, dxt1.data());
    const Encoded ours = decode_and_measure(p, dxt1, squish::kDxt1);
    // DXT1 holds the same colours as DXT5's colour block, and may choose more: never worse.
    const Encoded as_dxt5 = ours_dxt5(p);
    for (size_t b = 0; b < ours.block_error.size(); ++b)
        ASSERT_LE(ours.block_error[b], as_dxt5.block_error[b]) << "block " << b;
}

}  // namespace
}  // namespace morvane::dxt::test
