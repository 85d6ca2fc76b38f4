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
    const auto before_top = m.state.MipLevels.back().Frames[0].Faces[0].Compressed;
    using S = BuildSurfaces;
    using Surface = morvane::PictureSurface;
    // Each case spoils the surfaces and names the one given as scratch.
    const std::vector<std::function<Surface&(S&)>> cases = {
        [](S& s) -> Surface& { s.source.set_border_style(morvane::BorderFixedSingle); return s.scratch; },
        [](S& s) -> Surface& { s.scratch.set_appearance(morvane::Appearance3D); return s.scratch; },
        [](S& s) -> Surface& { s.source.set_scale_mode(morvane::ScaleTwips); return s.scratch; },
        [](S& s) -> Surface& { s.scratch.set_auto_size(true); return s.scratch; },
        [](S& s) -> Surface& { s.source.set_container_units_per_pixel(15); return s.scratch; },  // a twips frame
        [](S& s) -> Surface& { return s.source; },  // drawing the levels would destroy the picture
        [](S& s) -> Surface& { s.source.set_width_pixels(0); return s.scratch; },  // nothing to build
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        BuildSurfaces s(gradient_picture(32, 32));
        Surface& scratch = cases[i](s);
        const auto picture = s.source.image().bytes;
        RecordedProgress progress;
        m.set_progress(&progress);
        const morvane::Outcome refused = m.BuildTexture(s.source, scratch, 0x2000, 15, 1);
        EXPECT_FALSE(refused.ok) << "case " << i;
        EXPECT_EQ(refused.error, "error");
        EXPECT_TRUE(progress.calls.empty());
        EXPECT_EQ(morvane::texture::header_bytes(m.state.Header), before);
        EXPECT_EQ(m.state.MipLevels.back().Frames[0].Faces[0].Compressed, before_top);
        EXPECT_EQ(s.source.image().bytes, picture);
    }
}

// A DXT5 64 x 64 build of version 7.2 followed by a DXT1 8 x 8 build of version 7.1 with other flags: the
// second replaces the levels and every header field the first filled, and measures its reflectivity afresh,
// in linear light: (220 / 255) ^ 2.2 = 0.722673, (120 / 255) ^ 2.2 = 0.190463, (40 / 255) ^ 2.2 = 0.016988.
TEST(BuildTexture, ASecondBuildReplacesTheLevelsAndEveryHeaderFieldTheFirstFilled) {
    TextureModule m = built(64, 15, 2);
    BuildSurfaces solid(morvane::Image32(8, 8, {/*b*/ 40, /*g*/ 120, /*r*/ 220, 255}));
    ASSERT_TRUE(m.BuildTexture(solid.source, solid.scratch, 0x4, 13, 1).ok);
    ASSERT_EQ(m.state.MipLevels.size(), 4u);
    EXPECT_EQ(m.state.MipLevels[3].Frames[0].Faces[0].Compressed.size(), 32u);  // 8 x 8 in DXT1: 4 blocks of 8
    EXPECT_EQ(m.state.LowResCompressed.size(), 32u);
    EXPECT_EQ(morvane::texture::header_bytes(m.state.Header).size(), 64u) << "version 7.1 again";
    EXPECT_EQ(m.state.Header.width, 8);
    EXPECT_EQ(m.state.Header.flags, 0x4);
    EXPECT_EQ(m.state.Header.hiformat, 13);
    EXPECT_EQ(m.state.Header.lowidth, 8);
    EXPECT_NEAR(m.state.Header.reflectivity[0], 0.722673, 1e-5);
    EXPECT_NEAR(m.state.Header.reflectivity[1], 0.190463, 1e-5);
    EXPECT_NEAR(m.state.Header.reflectivity[2], 0.016988, 1e-5);
}

TEST(BuildTexture, AModuleWithNoLevelsMeasuresAReflectivityOfZeroNotADivisionByZero) {
    TextureModule empty;
    empty.state.Header.reflectivity = {9, 9, 9};
    empty.ComputeReflectivity();
    EXPECT_EQ(empty.state.Header.reflectivity, (std::array<float, 3>{0, 0, 0}));
}

}  // namespace
