#pragma once
// The S3TC block formats as every part of the library, and every caller sizing a buffer for it, counts them:
// 4 x 4 pixels a block, blocks in rows top first, a picture's last row and column of blocks padded out.
#include <cstdint>

namespace morvane::dxt {

enum class BlockFormat { Dxt1, Dxt3, Dxt5 };

// A colour block (two 5:6:5 endpoints, 16 two-bit selectors) is 8 bytes; DXT3 and DXT5 put an 8-byte
// alpha block before it.
inline constexpr int kColourBlockBytes = 8;
inline constexpr int kAlphaBlockBytes = 8;
constexpr int block_bytes(BlockFormat f) {
    return f == BlockFormat::Dxt1 ? kColourBlockBytes : kAlphaBlockBytes + kColourBlockBytes;
}

// Blocks along a side of `pixels` pixels, as the published sizes count them: max(1, ceil(pixels / 4)).
constexpr int blocks_across(int pixels) { return pixels > 4 ? (pixels + 3) / 4 : 1; }

// Bytes of the blocks of a width x height picture.
constexpr int64_t compressed_bytes(BlockFormat f, int width, int height) {
    return int64_t(blocks_across(width)) * blocks_across(height) * block_bytes(f);
}

}  // namespace morvane::dxt
