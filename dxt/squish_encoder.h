#pragma once
// libsquish as one of the library's encoders: whole images, split into bands of block rows that are
// compressed side by side on the machine's cores (libsquish itself works one block at a time).
#include "dxt/block_format.h"

#include <cstdint>

namespace morvane::dxt {

enum class SquishFit {
    Cluster,           // one cluster-fit pass
    IterativeCluster,  // cluster fit repeated until it stops improving: slowest, best
    Range,             // the colours' bounding range: fast, lower quality
};

// Pixels B, G, R, A, rows top first; `out` holds the S3TC size of the format for width x height.
void squish_compress(const uint8_t* bgra, int width, int height, uint8_t* out, BlockFormat format, SquishFit fit,
                     bool perceptual_metric);

// Decode blocks into B, G, R, A pixels, rows top first.
void squish_decompress(const uint8_t* blocks, int width, int height, uint8_t* bgra, BlockFormat format);

}  // namespace morvane::dxt
