#pragma once
// The VTF 7.x header as the file holds it, and its exact bytes: 64 of them up to minor version 1,
// 80 from minor version 2 (which adds `depth` and padding).
#include "platform/outcome.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvane::texture {

struct VtfHeader {
    std::array<char, 4> signature{};       // "VTF\0"
    std::array<int32_t, 2> version{};      // major, minor
    int32_t headersize = 0;                // bytes: 64 or 80
    int16_t width = 0;                     // pixels of the full-size level
    int16_t height = 0;                    // pixels of the full-size level
    int32_t flags = 0;                     // TextureFlags bits
    int16_t frames = 0;
    int16_t firstframe = 0;
    std::array<uint8_t, 4> padding0{};
    std::array<float, 3> reflectivity{};   // red, green, blue
    std::array<uint8_t, 4> padding1{};
    float bumpscale = 0;
    int32_t hiformat = 0;                  // ImageFormat of the mip levels
    uint8_t mipmapcount = 0;               // number of mip levels
    int32_t loformat = 0;                  // ImageFormat of the low-resolution image
    uint8_t lowidth = 0;                   // pixels
    uint8_t loheight = 0;                  // pixels
    int16_t depth = 0;                     // written only from minor version 2 on
};

inline constexpr int kHeaderBytesUpToMinor1 = 64;
inline constexpr int kHeaderBytesFromMinor2 = 80;

// The header's bytes in file order, little-endian, field after field: `signature` to `loheight` (63 bytes),
// then one zero byte (minor version 1 or less) or `depth` and 15 zero bytes (minor version 2 or more).
std::vector<uint8_t> header_bytes(const VtfHeader& header);

// The header back from the start of a file's bytes; a failure when fewer bytes than the header needs are given.
morvane::Result<VtfHeader> parse_header(const uint8_t* bytes, std::size_t size);

}  // namespace morvane::texture
