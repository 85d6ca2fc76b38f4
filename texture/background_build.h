#pragma once
// The main window's road from a picture to a built texture, without the window: the picture stretched onto
// the working square (Picture2), copied one to one into Source_Buffer, and built with the program's fixed
// choices. The desktop program and morvane-cli both run this, so both write the same files.
#include "platform/pictures/image32.h"
#include "platform/pictures/picture_surface.h"
#include "texture/vtfmod.h"

#include <array>
#include <cstdint>

namespace morvane::texture {

// The build's fixed choices: flags "EightBitAlpha", DXT5 levels, VTF 7.1.
inline constexpr int32_t kBackgroundFlags = EightBitAlpha;
inline constexpr int32_t kBackgroundFormat = DXT5;
inline constexpr int16_t kBackgroundMinorVersion = 1;
// The square sides a background is built at, smallest first: the window's resolution list offers them in this
// order ("1024 x 1024", ...) and morvane-cli's --size takes them. The build itself takes any side up to 32767.
inline constexpr std::array<int, 2> kBackgroundSides{1024, 2048};

// The picture surfaces of a build, set up as the main window's picture boxes: Picture2 sits in a frame measuring
// twips, the two buffers on the pixel-measured form.
struct BackgroundSurfaces {
    morvane::PictureSurface Picture2;
    morvane::PictureSurface Source_Buffer;
    morvane::PictureSurface Temp_Buffer;
    BackgroundSurfaces();
};

// Sizes `picture2` to side x side pixels (height first, in its frame's twips) and stretches the whole
// picture onto it; a picture of another shape is distorted to fill the square.
void rescale_picture(const morvane::Image32& picture, int side_pixels, morvane::PictureSurface& picture2);
// The same for a picture that is still being decoded, drawn as it arrives, with the same pixels; a failure is the
// picture's, when it broke off part way.
morvane::Outcome rescale_picture(morvane::RowSource& picture, int side_pixels, morvane::PictureSurface& picture2);

// The build command: Source_Buffer takes Picture2's size and image one to one, then BuildTexture runs with
// the fixed choices above.
morvane::Outcome make_background(const morvane::PictureSurface& picture2, morvane::PictureSurface& source_buffer,
                                 morvane::PictureSurface& temp_buffer, TextureModule& module);

// The build command where no window shows Picture2 (the command line): the same steps, but Picture2's pixels are
// let go once Source_Buffer holds them, so that the build's own buffers take their memory (16 MB at 2048,
// neither held twice nor fresh pages for the system to clear).
morvane::Outcome make_background_unshown(BackgroundSurfaces& surfaces, TextureModule& module);

}  // namespace morvane::texture
