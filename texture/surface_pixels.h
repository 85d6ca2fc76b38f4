#pragma once
// Reading pictures back from a surface, as the build needs them: the whole source stretched onto the scratch
// surface at a level's size, then its bitmap descriptor and its image bytes (B, G, R, fourth byte, top row
// first).
#include "platform/pictures/picture_surface.h"
#include "texture/mip_levels.h"

#include <cstdint>
#include <vector>

namespace morvane::texture {

// `pixels` gets a copy of the scratch surface's bytes; the surface keeps its picture.
void capture_scaled(const morvane::PictureSurface& source, morvane::PictureSurface& scratch, int32_t width,
                    int32_t height, BitmapInfo& info, morvane::PixelBytes& pixels);

// The same for a caller that resizes the scratch surface to next_width x next_height and clears it straight
// after: `pixels` takes the surface's bytes rather than a copy of them (16 MB for a 2048 level, whose copy
// costs more than drawing it), and the surface is left at the next size in its back colour.
void capture_scaled_then_resize(const morvane::PictureSurface& source, morvane::PictureSurface& scratch,
                                int32_t width, int32_t height, BitmapInfo& info, morvane::PixelBytes& pixels,
                                int32_t next_width, int32_t next_height);

}  // namespace morvane::texture
