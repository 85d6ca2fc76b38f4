#pragma once
// Shared by the texture tests: surfaces set up as the main window's, a picture, and a texture built from it.
#include "platform/pictures/picture_surface.h"
#include "tests/support/temp_folder.h"
#include "texture/vtfmod.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace morvane::testing {

// Red grows to the right, green downwards (twice as slowly), blue fixed at 128: colours on one line, so that
// every level and block can be coded closely, and a flipped row or swapped channel shows.
inline Image32 gradient_picture(int w, int h) {
    Image32 image(w, h);
    const int span = std::max(1, 2 * (w - 1) + (h - 1));
    for (int i = 0; i < w * h; ++i) {
        const int t = 255 * (2 * (i % w) + i / w) / span;
        image.set_pixel(i % w, i / w, {128, uint8_t(255 - t), uint8_t(t), 255});
    }
    return image;
}

// Source_Buffer holding `picture` as the main window holds a loaded one, and an empty Temp_Buffer.
struct BuildSurfaces {
    PictureSurface source, scratch;
    explicit BuildSurfaces(const Image32& picture) { source.hold_picture(picture); }
};

// A texture built from a gradient as the main window builds it (flags EightBitAlpha).
inline texture::TextureModule built(int side, int32_t format = 15, int16_t minor = 1,
                                   texture::BuildProgress* progress = nullptr) {
    BuildSurfaces s(gradient_picture(side, side));
    texture::TextureModule m;
    m.set_progress(progress);
    EXPECT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, format, minor).ok);
    m.set_progress(nullptr);  // the recorder may not outlive the call
    return m;
}

}  // namespace morvane::testing
