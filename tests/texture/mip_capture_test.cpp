// The capture hands each level's pixels over from the scratch surface instead of copying them; whatever it
// does inside, every level must hold what the surface shows for the whole picture drawn at that size.
#include "texture/vtfmod.h"
#include "texture_test_support.h"

#include <algorithm>

using morvane::testing::BuildSurfaces;

namespace {

// Busy enough that a shifted row or a level drawn at the wrong size shows.
morvane::Image32 speckled_picture(int w, int h) {
    morvane::Image32 image(w, h);
    uint32_t seed = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            image.set_pixel(x, y, {uint8_t(seed >> 8), uint8_t(seed >> 16), uint8_t(seed >> 24), 255});
        }
    return image;
}

// The whole picture drawn at w x h on a surface that has never drawn anything else.
morvane::PixelBytes drawn_directly(const morvane::Image32& picture, int w, int h) {
    morvane::PictureSurface fresh;
    fresh.set_width_pixels(w);
    fresh.set_height_pixels(h);
    fresh.clear();
    fresh.stretch_copy(picture, 0, 0, w, h);
    return fresh.image().bytes;
}

void expect_levels_as_drawn_directly(int width, int height) {
    const morvane::Image32 picture = speckled_picture(width, height);
    BuildSurfaces s(picture);
    morvane::texture::TextureModule m;
    m.MakeLowResImage(width, height, s.source, s.scratch);
    m.CaptureMipLevels(width, height, s.source, s.scratch, morvane::texture::DXT5);
    for (int i = 0; i < m.MipCount(); ++i) {
        const morvane::texture::MipLevel& level = m.state.MipLevels[size_t(i)];
        const morvane::texture::MipFace& face = level.Frames[0].Faces[0];
        EXPECT_EQ(face.Info.width, level.Width) << "level " << i;
        EXPECT_EQ(face.Info.bytes_per_row, 4 * level.Width) << "level " << i;
        EXPECT_EQ(face.Pixels, drawn_directly(picture, level.Width, level.Height)) << "level " << i;
        EXPECT_TRUE(std::all_of(face.Compressed.begin(), face.Compressed.end(), [](uint8_t b) { return b == 0; }));
    }
    // The scratch surface keeps the smallest level, size and picture.
    const morvane::texture::MipLevel& smallest = m.state.MipLevels[0];
    EXPECT_EQ(s.scratch.width_pixels(), smallest.Width);
    EXPECT_EQ(s.scratch.height_pixels(), smallest.Height);
    EXPECT_EQ(s.scratch.image().bytes, smallest.Frames[0].Faces[0].Pixels);
}

}  // namespace

TEST(MipCapture, EveryLevelOfASquarePictureHoldsWhatTheSurfaceShowsForThePictureDrawnAtThatSize) {
    expect_levels_as_drawn_directly(64, 64);
}

TEST(MipCapture, EveryLevelOfAnOddlySizedPictureHoldsWhatTheSurfaceShowsForThePictureDrawnAtThatSize) {
    expect_levels_as_drawn_directly(48, 20);  // halvings and other reductions mixed; smallest level 3 x 1
}

TEST(MipCapture, ASecondBuildOfAChangedPictureCapturesTheNewPicture) {
    BuildSurfaces s(speckled_picture(32, 32));
    morvane::texture::TextureModule m;
    m.CaptureMipLevels(32, 32, s.source, s.scratch, morvane::texture::DXT5);
    const morvane::Image32 changed = morvane::testing::gradient_picture(32, 32);
    s.source.clear();
    s.source.stretch_copy(changed, 0, 0, 32, 32);
    m.CaptureMipLevels(32, 32, s.source, s.scratch, morvane::texture::DXT5);
    EXPECT_EQ(m.state.MipLevels.back().Frames[0].Faces[0].Pixels, changed.bytes);
    const morvane::texture::MipLevel& eighth = m.state.MipLevels[2];  // 4 x 4, a reduction the pyramid serves
    ASSERT_EQ(eighth.Width, 4);
    EXPECT_EQ(eighth.Frames[0].Faces[0].Pixels, drawn_directly(changed, 4, 4));
}
