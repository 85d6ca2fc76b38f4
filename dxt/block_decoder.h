#pragma once
// Decoding DXT blocks back into pixels, for builds without libsquish (whose decoder is used otherwise).
// The palettes are those of colour_block.h and alpha_block.h, as the common decoders compute them.
#include "dxt/block_format.h"

#include <cstdint>

namespace morvane::dxt {

// Writes width x height pixels B, G, R, A (rows top first) from the format's blocks, blocks in rows top
// first. DXT1 blocks in three-colour mode give transparent black for their fourth entry.
void decode_image(BlockFormat format, const uint8_t* blocks, int width, int height, uint8_t* bgra);

}  // namespace morvane::dxt
