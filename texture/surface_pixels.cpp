#include "texture/surface_pixels.h"

namespace vtfmod {

void capture_scaled(const morvane::PictureSurface& source, morvane::PictureSurface& scratch, int32_t width,
                    int32_t height, BitmapInfo& info, std::vector<uint8_t>& pixels) {
    scratch.set_width_pixels(width);
    scratch.set_height_pixels(height);
    scratch.clear();
    scratch.stretch_copy(source.image(), 0, 0, width, height);
    const morvane::Image32& image = scratch.image();
    info = BitmapInfo{image.width, image.height, int32_t(image.stride()), 32};
    pixels = image.bytes;
}

}  // namespace vtfmod
