#include "dxt/squish_encoder.h"

#include <squish.h>

#include <algorithm>
#include <cstddef>
#include <thread>
#include <utility>
#include <vector>

namespace morvane::dxt {

namespace {

int squish_format(BlockFormat format) {
    switch (format) {
        case BlockFormat::Dxt1: return squish::kDxt1;
        case BlockFormat::Dxt3: return squish::kDxt3;
        case BlockFormat::Dxt5: return squish::kDxt5;
    }
    return squish::kDxt5;
}

int squish_fit(SquishFit fit) {
    switch (fit) {
        case SquishFit::Cluster: return squish::kColourClusterFit;
        case SquishFit::IterativeCluster: return squish::kColourIterativeClusterFit;
        case SquishFit::Range: return squish::kColourRangeFit;
    }
    return squish::kColourIterativeClusterFit;
}

// Bands of at least this many block rows; smaller images are not worth a thread.
constexpr int kMinBlockRowsPerBand = 8;

}  // namespace

void squish_compress(const uint8_t* bgra, int width, int height, uint8_t* out, BlockFormat format, SquishFit fit,
                     bool perceptual_metric) {
    // Debian's libsquish 1.15 declares kSourceBGRA but ignores it, so each band is handed over as R, G, B, A.
    const int flags = squish_format(format) | squish_fit(fit);
    // Relative weight of red, green and blue in the fit's error (luminance weights of the sRGB primaries).
    float perceptual[3] = {0.2126f, 0.7152f, 0.0722f};
    float* metric = perceptual_metric ? perceptual : nullptr;  // nullptr: all alike
    const int block_rows = blocks_across(height);
    const size_t row_bytes = size_t(width) * 4;
    const size_t block_row_bytes = size_t(squish::GetStorageRequirements(width, std::min(height, 4), flags));

    // Compress block rows [first, last) as an image of their own; bands start on a block boundary, so
    // their blocks land exactly where the whole image's blocks would.
    auto compress_band = [&](int first, int last) {
        const int top = first * 4;
        const int rows = std::min(height, last * 4) - top;
        std::vector<uint8_t> rgba(bgra + size_t(top) * row_bytes, bgra + size_t(top + rows) * row_bytes);
        for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
        squish::CompressImage(rgba.data(), width, rows, out + size_t(first) * block_row_bytes, flags, metric);
    };

    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const int bands = std::clamp(block_rows / kMinBlockRowsPerBand, 1, cores);
    if (bands == 1) {
        compress_band(0, block_rows);
        return;
    }
    std::vector<std::jthread> workers;
    workers.reserve(size_t(bands) - 1);
    for (int b = 1; b < bands; ++b) {
        workers.emplace_back(compress_band, block_rows * b / bands, block_rows * (b + 1) / bands);
    }
    compress_band(0, block_rows / bands);
}

void squish_decompress(const uint8_t* blocks, int width, int height, uint8_t* bgra, BlockFormat format) {
    squish::DecompressImage(bgra, width, height, blocks, squish_format(format));
    // libsquish decodes to red, green, blue, alpha.
    for (size_t i = 0, n = size_t(width) * size_t(height) * 4; i < n; i += 4) std::swap(bgra[i], bgra[i + 2]);
}

}  // namespace morvane::dxt
