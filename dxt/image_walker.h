#pragma once
// Walks a picture block by block: rows of 4 x 4 blocks, left to right, top to bottom, each block encoded
// on its own so the rows can be shared out among threads and the bytes stay the same however they are.
#include "dxt/block_format.h"

#include <cstdint>

namespace morvane::dxt {

// Encodes the whole picture into `out` (blocks_across(width) * blocks_across(height) blocks).
// `threads` = 0 uses the library's pool; 1 keeps the work on the calling thread.
void encode_image(BlockFormat format, const uint8_t* bgra, int width, int height, uint8_t* out, int threads);

}  // namespace morvane::dxt
