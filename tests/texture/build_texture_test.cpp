// The build driver: what a build leaves in the module, what it tells the progress bar, and when it refuses.
#include "tests/support/pictures.h"
#include "texture_test_support.h"

#include <functional>

namespace morvane::testing {
namespace {

using texture::TextureModule;

struct RecordedProgress : texture::BuildProgress {
    std::string calls;  // "max7 " for set_max(7), "v3 " for set_value(3), "y " for yield()
    int32_t current = 0;
    void set_max(int32_t max) override { calls += "max" + std::to_string(max) + " "; }
    int32_t value() override { return current; }
    void set_value(int32_t v) override { calls += "v" + std::to_string(current = v) + " "; }
    void yield() override { calls += "y "; }
};

// A build runs the bar to the level count with one yield per level in capture and compression. An unfit
// surface shows "error", tells the bar nothing and changes neither the state nor the picture.
TEST(BuildTexture, TheBarRunsPerLevelAndAnUnfitSurfaceShowsErrorChangingNothing) {
    RecordedProgress progress;
    TextureModule m = built(64, 15, 1, &progress);
    EXPECT_EQ(progress.calls, "y y y y y y y max7 v0 y v1 y v2 y v3 y v4 y v5 y v6 y v7 ");  // capture of 64 .. 1
    const auto before = texture::header_bytes(m.state.Header);
    // Each spoils the surfaces and gives the one to use as scratch.
    const std::function<PictureSurface&(BuildSurfaces&)> spoil[] = {
        [](auto& s) -> PictureSurface& { s.source.set_container_units_per_pixel(15); return s.scratch; },  // a twips frame
        [](auto& s) -> PictureSurface& { return s.source; },  // drawing the levels would destroy the picture
        [](auto& s) -> PictureSurface& { s.source.set_width_pixels(0); return s.scratch; },  // nothing to build
        [](auto& s) -> PictureSurface& { s.source.set_width_pixels(32768); return s.scratch; },  // past the header's 16 bits
    };
    for (size_t i = 0; i < std::size(spoil); ++i) {
        BuildSurfaces s(gradient_picture(32, 32));
        PictureSurface& scratch = spoil[i](s);
        const PixelBytes picture = s.source.image().bytes;
        RecordedProgress silent;
        m.set_progress(&silent);
        EXPECT_EQ(m.BuildTexture(s.source, scratch, 0x2000, 15, 1).error, "error") << "case " << i;
        EXPECT_TRUE(silent.calls.empty());
        EXPECT_EQ(texture::header_bytes(m.state.Header), before);
        EXPECT_EQ(s.source.image().bytes, picture);
    }
}

// The capture hands each level's pixels over from the scratch surface instead of copying them; whatever it
// does inside, every level holds what a fresh surface shows for the whole picture drawn at that size (48 x 20
// mixes halvings and other reductions down to 3 x 1), and the scratch surface keeps the smallest level.
TEST(BuildTexture, EveryLevelHoldsWhatASurfaceShowsForThePictureDrawnAtThatSize) {
    const Image32 picture = noise_picture(48, 20);
    BuildSurfaces s(picture);
    TextureModule m;
    m.MakeLowResImage(48, 20, s.source, s.scratch);
    m.CaptureMipLevels(48, 20, s.source, s.scratch, texture::DXT5);
    for (const texture::MipLevel& level : m.state.MipLevels) {
        PictureSurface fresh;
        fresh.set_width_pixels(level.Width);
        fresh.set_height_pixels(level.Height);
        fresh.stretch_copy(picture, 0, 0, level.Width, level.Height);
        EXPECT_EQ(level.Frames[0].Faces[0].Pixels, fresh.image().bytes) << "level " << level.Width;
    }
    EXPECT_EQ(s.scratch.image().bytes, m.state.MipLevels[0].Frames[0].Faces[0].Pixels);
}

// A DXT5 64 x 64 build of version 7.2, then a DXT1 8 x 8 build of version 7.1 with other flags: every level,
// header field and the reflectivity are the second build's, the reflectivity measured afresh in linear light:
// (220 / 255) ^ 2.2 = 0.722673, (120 / 255) ^ 2.2 = 0.190463, (40 / 255) ^ 2.2 = 0.016988.
TEST(BuildTexture, ASecondBuildReplacesEveryLevelAndHeaderFieldTheFirstFilled) {
    TextureModule m = built(64, 15, 2);
    BuildSurfaces solid(Image32(8, 8, {/*b*/ 40, /*g*/ 120, /*r*/ 220, 255}));
    ASSERT_TRUE(m.BuildTexture(solid.source, solid.scratch, 0x4, 13, 1).ok);
    ASSERT_EQ(m.state.MipLevels.size(), 4u);
    EXPECT_EQ(m.state.MipLevels[3].Frames[0].Faces[0].Compressed.size(), 32u);  // 8 x 8 in DXT1: 4 blocks of 8
    EXPECT_EQ(texture::header_bytes(m.state.Header).size(), 64u) << "version 7.1 again";
    EXPECT_EQ(m.state.Header.flags, 0x4);
    EXPECT_EQ(m.state.Header.hiformat, 13);
    const std::array<float, 3> linear{0.722673f, 0.190463f, 0.016988f};
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(m.state.Header.reflectivity[size_t(c)], linear[size_t(c)], 1e-5);
}

// The DXT library writes no blocks for a level it cannot take (here a level of no width, or one whose pixels
// are missing): that is the build's failure in words, not a texture with a black level.
TEST(BuildTexture, ALevelTheDxtLibraryMakesNoBlocksForFailsTheBuild) {
    for (const auto& [width, pixels] : {std::pair{0, 64}, {4, 63}}) {
        TextureModule m = built(4);
        m.state.MipLevels.back().Width = width;
        m.state.MipLevels.back().Frames[0].Faces[0].Pixels = PixelBytes(size_t(pixels));
        EXPECT_EQ(m.CompressMipLevels(texture::DXT5).error,
                  "The background could not be built: the DXT5 blocks of its " + std::to_string(width) +
                      " x 4 level could not be made.\nNothing was written; the previous background stays as it was.");
    }
    TextureModule m = built(8);
    m.state.LowResPixels = PixelBytes(3);
    EXPECT_NE(m.CompressLowResImage().error.find("the DXT1 blocks of its 8 x 8 level"), std::string::npos);
}

}  // namespace
}  // namespace morvane::testing
