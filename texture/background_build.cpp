#include "texture/background_build.h"

#include "platform/pictures/twips.h"

namespace morvane::texture {

BackgroundSurfaces::BackgroundSurfaces() { Picture2.set_container_units_per_pixel(kTwipsPerPixel); }

namespace {

void size_square(int side_pixels, morvane::PictureSurface& picture2) {
    const double side_units = double(side_pixels) * picture2.container_units_per_pixel();
    // Cleared before the resize as well, so the resize fills nothing the drawing covers next (16 MB at 2048).
    picture2.clear();
    picture2.set_height(side_units);
    picture2.set_width(side_units);
    picture2.clear();
}

}  // namespace

void rescale_picture(const morvane::Image32& picture, int side_pixels, morvane::PictureSurface& picture2) {
    size_square(side_pixels, picture2);
    picture2.stretch_copy(picture, 0, 0, picture2.width_pixels(), picture2.height_pixels());
}

morvane::Outcome rescale_picture(morvane::RowSource& picture, int side_pixels, morvane::PictureSurface& picture2) {
    size_square(side_pixels, picture2);
    return picture2.stretch_copy(picture, 0, 0, picture2.width_pixels(), picture2.height_pixels());
}

namespace {

void copy_to_source_buffer(const morvane::PictureSurface& picture2, morvane::PictureSurface& source_buffer) {
    const morvane::Image32& image = picture2.image();
    source_buffer.clear();  // as above: the one-to-one copy covers the whole surface
    source_buffer.set_height_pixels(picture2.height_pixels());
    source_buffer.set_width_pixels(picture2.width_pixels());
    source_buffer.clear();
    source_buffer.stretch_copy(image, 0, 0, image.width, image.height);  // unscaled
}

morvane::Outcome build(morvane::PictureSurface& source_buffer, morvane::PictureSurface& temp_buffer, TextureModule& module) {
    return module.BuildTexture(source_buffer, temp_buffer, kBackgroundFlags, kBackgroundFormat,
                               kBackgroundMinorVersion);
}

}  // namespace

morvane::Outcome make_background(const morvane::PictureSurface& picture2, morvane::PictureSurface& source_buffer,
                                 morvane::PictureSurface& temp_buffer, TextureModule& module) {
    copy_to_source_buffer(picture2, source_buffer);
    return build(source_buffer, temp_buffer, module);
}

morvane::Outcome make_background_unshown(BackgroundSurfaces& surfaces, TextureModule& module) {
    copy_to_source_buffer(surfaces.Picture2, surfaces.Source_Buffer);
    (void)surfaces.Picture2.take_pixels(0, 0);
    return build(surfaces.Source_Buffer, surfaces.Temp_Buffer, module);
}

}  // namespace morvane::texture
