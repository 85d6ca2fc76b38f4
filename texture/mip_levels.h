#pragma once
// The captured mip chain: one record per level, smallest first, each with its pixels and DXT bytes.
#include "platform/pictures/image32.h"

#include <cstdint>
#include <vector>

namespace morvane::texture {

// What the build needs to know of a surface image it read back: the bitmap descriptor's useful fields.
struct BitmapInfo {
    int32_t width = 0;          // pixels
    int32_t height = 0;         // pixels
    int32_t bytes_per_row = 0;  // 4 x width on the 32-bit surfaces
    int16_t bits_per_pixel = 0; // 32
};

struct MipFace {
    BitmapInfo Info;
    morvane::PixelBytes Pixels;      // 4 x width x height: B, G, R, fourth byte; top row first
    morvane::PixelBytes Compressed;  // CompressedSize bytes of DXT blocks; empty for other formats
    double CompressedSize = 0;        // bytes, as the library reports them
};

struct MipFrame {
    std::vector<MipFace> Faces;
};

struct MipLevel {
    int32_t Width = 0;   // pixels
    int32_t Height = 0;  // pixels
    std::vector<MipFrame> Frames;
};

}  // namespace morvane::texture
