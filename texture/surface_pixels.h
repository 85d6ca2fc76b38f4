#pragma once
// Reading a picture surface's pixels back, as the build needs them: its bitmap descriptor and a copy of
// its image bytes (B, G, R, fourth byte, top row first).
#include "platform/picture_surface.h"
#include "texture/mip_levels.h"

#include <cstdint>
#include <vector>

namespace vtfmod {

BitmapInfo surface_info(const morvane::PictureSurface& surface);
std::vector<uint8_t> surface_bits(const morvane::PictureSurface& surface);

}  // namespace vtfmod
