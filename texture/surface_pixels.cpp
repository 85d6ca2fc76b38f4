#include "texture/surface_pixels.h"

namespace morvane::texture {

namespace {

// Resized, cleared and drawn over as a whole; the descriptor of the result.
BitmapInfo draw_scaled(const morvane::PictureSurface& source, morvane::PictureSurface& scratch, int32_t width,
                       int32_t height) {
    // Clearing before the resize too spares the resize keeping the old picture in the corner and filling
    // the rest (16 MB when the scratch surface grows to a 2048 level), which the clear below would wipe
    // anyway; the surface carries out neither clear, since the drawing covers all of it.
    scratch.clear();
    scratch.set_width_pixels(width);
    scratch.set_height_pixels(height);
    scratch.clear();
    scratch.stretch_copy(source.image(), 0, 0, width, height);
    const morvane::Image32& image = scratch.image();
    return BitmapInfo{image.width, image.height, int32_t(image.stride()), 32};
}

}  // namespace

void capture_scaled(const morvane::PictureSurface& source, morvane::PictureSurface& scratch, int32_t width,
                    int32_t height, BitmapInfo& info, morvane::PixelBytes& pixels) {
    info = draw_scaled(source, scratch, width, height);
    pixels = scratch.image().bytes;
}

void capture_scaled_then_resize(const morvane::PictureSurface& source, morvane::PictureSurface& scratch,
                                int32_t width, int32_t height, BitmapInfo& info, morvane::PixelBytes& pixels,
                                int32_t next_width, int32_t next_height) {
    info = draw_scaled(source, scratch, width, height);
    pixels = scratch.take_pixels(next_width, next_height);
}

}  // namespace morvane::texture
