// The build driver: what a build leaves in the module, what it tells the progress bar, and when it refuses.
#include "texture/vtfmod.h"
#include "texture_test_support.h"

#include <functional>

namespace {

using namespace morvane::testing;
using morvane::texture::TextureModule;

TEST(BuildTexture, TheBarRunsToTheLevelCountWithOneYieldPerLevelInCaptureAndCompression) {
    RecordedProgress progress;
    built(64, 15, 1, &progress);
    std::vector<std::string> expected(7, "yield");  // capture of levels 64 .. 1
    expected.insert(expected.end(), {"max 7", "value 0"});
    for (int i = 1; i <= 7; ++i) expected.insert(expected.end(), {"yield", "value " + std::to_string(i)});
    EXPECT_EQ(progress.calls, expected);
}

TEST(BuildTexture, AnUnfitSurfaceShowsErrorAndChangesNeitherTheStateNorThePicture) {
    TextureModule m = built(16);
    const auto before = morvane::texture::header_bytes(m.state.Header);
    using S = BuildSurfaces;
    using Surface = morvane::PictureSurface;
    // Each case spoils the surfaces and names the one given as scratch.
    const std::vector<std::function<Surface&(S&)>> cases = {
        [](S& s) -> Surface& { s.source.set_container_units_per_pixel(15); return s.scratch; },  // a twips frame
        [](S& s) -> Surface& { return s.source; },  // drawing the levels would destroy the picture
        [](S& s) -> Surface& { s.source.set_width_pixels(0); return s.scratch; },  // nothing to build
        [](S& s) -> Surface& { s.source.set_width_pixels(32768); return s.scratch; },  // past the header's 16 bits
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        BuildSurfaces s(gradient_picture(32, 32));
        Surface& scratch = cases[i](s);
        const auto picture = s.source.image().bytes;
        RecordedProgress progress;
        m.set_progress(&progress);
        EXPECT_EQ(m.BuildTexture(s.source, scratch, 0x2000, 15, 1).error, "error") << "case " << i;
        EXPECT_TRUE(progress.calls.empty());
        EXPECT_EQ(morvane::texture::header_bytes(m.state.Header), before);
        EXPECT_EQ(s.source.image().bytes, picture);
    }
}

// A DXT5 64 x 64 build of version 7.2, then a DXT1 8 x 8 build of version 7.1 with other flags: every level,
// header field and the reflectivity are the second build's, the reflectivity measured afresh in linear light:
// (220 / 255) ^ 2.2 = 0.722673, (120 / 255) ^ 2.2 = 0.190463, (40 / 255) ^ 2.2 = 0.016988.
TEST(BuildTexture, ASecondBuildReplacesEveryLevelAndHeaderFieldTheFirstFilled) {
    TextureModule m = built(64, 15, 2);
    BuildSurfaces solid(morvane::Image32(8, 8, {/*b*/ 40, /*g*/ 120, /*r*/ 220, 255}));
    ASSERT_TRUE(m.BuildTexture(solid.source, solid.scratch, 0x4, 13, 1).ok);
    ASSERT_EQ(m.state.MipLevels.size(), 4u);
    EXPECT_EQ(m.state.MipLevels[3].Frames[0].Faces[0].Compressed.size(), 32u);  // 8 x 8 in DXT1: 4 blocks of 8
    EXPECT_EQ(m.state.LowResCompressed.size(), 32u);
    EXPECT_EQ(morvane::texture::header_bytes(m.state.Header).size(), 64u) << "version 7.1 again";
    EXPECT_EQ(m.state.Header.flags, 0x4);
    EXPECT_EQ(m.state.Header.hiformat, 13);
    EXPECT_EQ(m.state.Header.lowidth, 8);
    const std::array<float, 3> linear{0.722673f, 0.190463f, 0.016988f};
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(m.state.Header.reflectivity[size_t(c)], linear[size_t(c)], 1e-5);
    TextureModule empty;
    empty.state.Header.reflectivity = {9, 9, 9};
    empty.ComputeReflectivity();
    EXPECT_EQ(empty.state.Header.reflectivity, (std::array<float, 3>{0, 0, 0})) << "no division by zero";
}

// The DXT library writes no blocks for a level it cannot take (here a level of no width, or one whose pixels
// are missing): that is the build's failure in words, not a texture with a black level.
TEST(BuildTexture, ALevelTheDxtLibraryMakesNoBlocksForFailsTheBuild) {
    for (const auto& [width, pixels] : {std::pair{0, 64}, {4, 63}}) {
        TextureModule m;
        m.state.Header.mipmapcount = 1;
        m.state.MipLevels.resize(1);
        m.state.MipLevels[0].Width = width;
        m.state.MipLevels[0].Height = 4;
        m.state.MipLevels[0].Frames.resize(1);
        m.state.MipLevels[0].Frames[0].Faces.resize(1);
        auto& face = m.state.MipLevels[0].Frames[0].Faces[0];
        face.Pixels = morvane::PixelBytes(size_t(pixels));
        face.Compressed.assign(16, 0);
        EXPECT_EQ(m.CompressMipLevels(morvane::texture::DXT5).error,
                  "The background could not be built: the DXT5 blocks of its " + std::to_string(width) +
                      " x 4 level could not be made.\nNothing was written; the previous background stays as it was.");
    }
    TextureModule m = built(8);
    m.state.LowResPixels = morvane::PixelBytes(3);
    EXPECT_NE(m.CompressLowResImage().error.find("the DXT1 blocks of its 8 x 8 level"), std::string::npos);
}

}  // namespace
