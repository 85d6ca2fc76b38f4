#pragma once
// Reading pictures back from a surface, as the build needs them: the whole source stretched onto the scratch
// surface at a level's size, then its bitmap descriptor and a copy of its image bytes (B, G, R, fourth byte,
// top row first).
#include "platform/picture_surface.h"
#include "texture/mip_levels.h"

#include <cstdint>
#include <vector>

namespace vtfmod {

void capture_scaled(const morvane::PictureSurface& source, morvane::PictureSurface& scratch, int32_t width,
                    int32_t height, BitmapInfo& info, std::vector<uint8_t>& pixels);

}  // namespace vtfmod
