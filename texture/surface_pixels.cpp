#include "texture/surface_pixels.h"

namespace vtfmod {

BitmapInfo surface_info(const morvane::PictureSurface& surface) {
    const morvane::Image32& image = surface.image();
    return BitmapInfo{image.width, image.height, int32_t(image.stride()), 32};
}

std::vector<uint8_t> surface_bits(const morvane::PictureSurface& surface) { return surface.image().bytes; }

}  // namespace vtfmod
