#pragma once
// Shared by the texture tests: surfaces set up as the main window's, pictures, and recorders for the progress
// and alert interfaces.
#include "dxt/encoder_choice.h"
#include "platform/pictures/picture_surface.h"
#include "tests/support/temp_folder.h"
#include "texture/vtfmod.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace morvane::testing {

// Red grows to the right, green downwards (twice as slowly), blue fixed at 128: colours on one line, so that
// every level and block can be coded closely, and a flipped row or swapped channel shows.
inline morvane::Image32 gradient_picture(int w, int h) {
    morvane::Image32 image(w, h);
    const int span = std::max(1, 2 * (w - 1) + (h - 1));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int t = 255 * (2 * x + y) / span;
            image.set_pixel(x, y, {128, uint8_t(255 - t), uint8_t(t), 255});
        }
    return image;
}

// Source_Buffer holding `picture` one to one, and an empty Temp_Buffer, both on a pixel-measured container.
struct BuildSurfaces {
    morvane::PictureSurface source;
    morvane::PictureSurface scratch;
    explicit BuildSurfaces(const morvane::Image32& picture) {
        source.set_height_pixels(picture.height);
        source.set_width_pixels(picture.width);
        source.stretch_copy(picture, 0, 0, picture.width, picture.height);
    }
};

struct RecordedProgress : texture::BuildProgress {
    std::vector<std::string> calls;  // "max 11", "value 3", "yield"
    int32_t current = 0;
    void set_max(int32_t max) override { calls.push_back("max " + std::to_string(max)); }
    int32_t value() override { return current; }
    void set_value(int32_t v) override { calls.push_back("value " + std::to_string(current = v)); }
    void yield() override { calls.push_back("yield"); }
};

// Large builds whose bytes, not quality, a test checks use libsquish's fast range fit meanwhile (our own
// encoder in a build without libsquish, which refuses that choice).
struct FastEncoder {
    const morvane::dxt::Encoder previous = morvane::dxt::current_encoder();
    FastEncoder() { morvane::dxt::set_encoder(morvane::dxt::Encoder::SquishRangeFit); }
    ~FastEncoder() { morvane::dxt::set_encoder(previous); }
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
