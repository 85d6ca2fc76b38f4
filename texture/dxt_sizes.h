#pragma once
// The DXT library's buffer size for a level, by VTF image format; 0 for a format the build does not compress.
#include <cstdint>

namespace morvane::texture {

double compressed_size(int32_t format, int32_t width, int32_t height);

}  // namespace morvane::texture
