// The capture hands each level's pixels over from the scratch surface instead of copying them; whatever it
// does inside, every level must hold what the surface shows for the whole picture drawn at that size.
#include "tests/support/pictures.h"
#include "texture/vtfmod.h"
#include "texture_test_support.h"

namespace morvane::testing {
namespace {

// The whole picture drawn at w x h on a surface that has never drawn anything else.
PixelBytes drawn_directly(const Image32& picture, int w, int h) {
    PictureSurface fresh;
    fresh.set_width_pixels(w);
    fresh.set_height_pixels(h);
    fresh.stretch_copy(picture, 0, 0, w, h);
    return fresh.image().bytes;
}

// 48 x 20 mixes halvings and other reductions down to a smallest level of 3 x 1. The scratch surface keeps
// the smallest level, size and picture.
TEST(MipCapture, EveryLevelHoldsWhatTheSurfaceShowsForThePictureDrawnAtThatSize) {
    for (auto [width, height] : {std::pair{64, 64}, {48, 20}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const Image32 picture = noise_picture(width, height);
        BuildSurfaces s(picture);
        texture::TextureModule m;
        m.MakeLowResImage(width, height, s.source, s.scratch);
        m.CaptureMipLevels(width, height, s.source, s.scratch, texture::DXT5);
        for (const texture::MipLevel& level : m.state.MipLevels) {
            const texture::MipFace& face = level.Frames[0].Faces[0];
            EXPECT_EQ(face.Info.width, level.Width);
            EXPECT_EQ(face.Info.bytes_per_row, 4 * level.Width);
            EXPECT_EQ(face.Pixels, drawn_directly(picture, level.Width, level.Height)) << level.Width;
            EXPECT_TRUE(std::all_of(face.Compressed.begin(), face.Compressed.end(), [](uint8_t b) { return b == 0; }));
        }
        EXPECT_EQ(s.scratch.width_pixels(), m.state.MipLevels[0].Width);
        EXPECT_EQ(s.scratch.height_pixels(), m.state.MipLevels[0].Height);
        EXPECT_EQ(s.scratch.image().bytes, m.state.MipLevels[0].Frames[0].Faces[0].Pixels);
    }
}

}  // namespace
}  // namespace morvane::testing
