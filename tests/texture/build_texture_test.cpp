// The build driver: what a build leaves in the module, what it tells the progress bar, and when it refuses.
#include "texture/vtfmod.h"
#include "texture_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using morvane_test::BuildSurfaces;
using morvane_test::gradient_picture;
using morvane_test::RecordedAlerts;
using morvane_test::RecordedProgress;
using vtfmod::TextureModule;

TEST(BuildTexture, TheMainWindowsCallFillsTheHeaderOfA1024Texture) {
    BuildSurfaces s(gradient_picture(1024, 1024));
    TextureModule m;
    ASSERT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, 1));
    const auto& h = m.Header;
    EXPECT_EQ(std::string(h.signature.data(), 4), std::string("VTF\0", 4));
    EXPECT_EQ(h.version[0], 7);
    EXPECT_EQ(h.version[1], 1);
    EXPECT_EQ(h.headersize, 64);
    EXPECT_EQ(h.width, 1024);
    EXPECT_EQ(h.height, 1024);
    EXPECT_EQ(h.flags, 0x2000);
    EXPECT_EQ(h.frames, 1);
    EXPECT_EQ(h.firstframe, 0);
    EXPECT_EQ(h.bumpscale, 1.0f);
    EXPECT_EQ(h.hiformat, 15);
    EXPECT_EQ(h.mipmapcount, 11);
    EXPECT_EQ(h.loformat, 13);
    EXPECT_EQ(h.lowidth, 16);
    EXPECT_EQ(h.loheight, 16);
    EXPECT_EQ(h.depth, 0);
    EXPECT_EQ(m.FaceCount, 1);
    EXPECT_EQ(m.LowResCompressed.size(), 128u);
    EXPECT_EQ(m.LowResPixels.size(), 1024u);
}

TEST(BuildTexture, MinorVersionTwoGivesAnEightyByteHeaderWithDepthOneAndZeroGivesSixtyFour) {
    BuildSurfaces s(gradient_picture(8, 8));
    TextureModule m;
    ASSERT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, 2));
    EXPECT_EQ(m.Header.headersize, 80);
    EXPECT_EQ(m.Header.depth, 1);
    ASSERT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, 0));
    EXPECT_EQ(m.Header.headersize, 64);
    EXPECT_EQ(m.Header.depth, 0);
    EXPECT_EQ(m.Header.version[1], 0);
}

TEST(BuildTexture, TheProgressBarRunsFromZeroToTheLevelCountWithOneYieldPerLevelInCaptureAndCompression) {
    BuildSurfaces s(gradient_picture(64, 64));
    TextureModule m;
    RecordedProgress progress;
    m.set_progress(&progress);
    ASSERT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, 1));
    std::vector<std::string> expected(7, "yield");  // capture of levels 64 .. 1
    expected.push_back("max 7");
    expected.push_back("value 0");
    for (int i = 1; i <= 7; ++i) {
        expected.push_back("yield");
        expected.push_back("value " + std::to_string(i));
    }
    EXPECT_EQ(progress.calls, expected);
}

TEST(BuildTexture, A2048PictureGivesTwelveLevelsAndAProgressMaxOfTwelve) {
    morvane_test::FastEncoder fast;
    BuildSurfaces s(gradient_picture(2048, 2048));
    TextureModule m;
    RecordedProgress progress;
    m.set_progress(&progress);
    ASSERT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, 1));
    EXPECT_EQ(m.MipCount(), 12);
    EXPECT_EQ(std::count(progress.calls.begin(), progress.calls.end(), "max 12"), 1);
    EXPECT_EQ(progress.current, 12);
}

TEST(BuildTexture, ASurfaceThatIsNotFitToBuildFromShowsErrorAndChangesNothing) {
    BuildSurfaces good(gradient_picture(16, 16));
    TextureModule m;
    ASSERT_TRUE(m.BuildTexture(good.source, good.scratch, 0x2000, 15, 1));
    const auto before_header = vtfmod::header_bytes(m.Header);
    const auto before_levels = m.MipLevels.size();
    const auto before_top = m.MipLevels.back().Frames[0].Faces[0].Compressed;

    auto refuse = [&](auto spoil) {
        BuildSurfaces s(gradient_picture(32, 32));
        spoil(s);
        RecordedAlerts alerts;
        RecordedProgress progress;
        m.set_alerts(&alerts);
        m.set_progress(&progress);
        EXPECT_FALSE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, 1));
        EXPECT_EQ(alerts.shown, std::vector<std::string>{"error"});
        EXPECT_TRUE(progress.calls.empty());
        EXPECT_EQ(vtfmod::header_bytes(m.Header), before_header);
        EXPECT_EQ(m.MipLevels.size(), before_levels);
        EXPECT_EQ(m.MipLevels.back().Frames[0].Faces[0].Compressed, before_top);
        m.set_alerts(nullptr);
        m.set_progress(nullptr);
    };
    refuse([](BuildSurfaces& s) { s.source.set_border_style(morvane::BorderFixedSingle); });
    refuse([](BuildSurfaces& s) { s.scratch.set_border_style(morvane::BorderFixedSingle); });
    refuse([](BuildSurfaces& s) { s.source.set_appearance(morvane::Appearance3D); });
    refuse([](BuildSurfaces& s) { s.scratch.set_appearance(morvane::Appearance3D); });
    refuse([](BuildSurfaces& s) { s.source.set_scale_mode(morvane::ScaleTwips); });
    refuse([](BuildSurfaces& s) { s.scratch.set_scale_mode(morvane::ScaleTwips); });
    refuse([](BuildSurfaces& s) { s.source.set_auto_size(true); });
    refuse([](BuildSurfaces& s) { s.scratch.set_auto_size(true); });
    refuse([](BuildSurfaces& s) { s.source.set_container_units_per_pixel(15); });  // sits in a twips frame
    refuse([](BuildSurfaces& s) { s.source.set_width_pixels(0); });                  // nothing to build
}

TEST(BuildTexture, OneSurfaceGivenAsBothSourceAndScratchIsRefusedAndKeepsItsPicture) {
    BuildSurfaces s(gradient_picture(32, 32));
    TextureModule m;
    RecordedAlerts alerts;
    m.set_alerts(&alerts);
    EXPECT_FALSE(m.BuildTexture(s.source, s.source, 0x2000, 15, 1));
    EXPECT_EQ(alerts.shown, std::vector<std::string>{"error"});
    EXPECT_EQ(s.source.image().bytes, gradient_picture(32, 32).bytes);
}

TEST(BuildTexture, ARefusedBuildWithoutAlertsStaysQuietAndLeavesTheEmptyStateEmpty) {
    BuildSurfaces s(gradient_picture(16, 16));
    s.source.set_border_style(morvane::BorderFixedSingle);
    TextureModule m;
    EXPECT_FALSE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, 1));
    EXPECT_TRUE(m.MipLevels.empty());
    EXPECT_TRUE(m.LowResCompressed.empty());
    EXPECT_EQ(m.MipCount(), 0);
}

TEST(BuildTexture, ASecondBuildReplacesEveryPartOfTheFirst) {
    TextureModule m;
    BuildSurfaces large(gradient_picture(64, 64));
    ASSERT_TRUE(m.BuildTexture(large.source, large.scratch, 0x2000, 15, 2));
    morvane::Image32 white(8, 8, {255, 255, 255, 255});
    BuildSurfaces small(white);
    ASSERT_TRUE(m.BuildTexture(small.source, small.scratch, 0x4, 13, 1));
    EXPECT_EQ(m.MipCount(), 4);
    ASSERT_EQ(m.MipLevels.size(), 4u);
    EXPECT_EQ(m.MipLevels[3].Width, 8);
    EXPECT_EQ(m.MipLevels[3].Frames[0].Faces[0].Compressed.size(), 32u);  // DXT1 now
    EXPECT_EQ(m.Header.width, 8);
    EXPECT_EQ(m.Header.flags, 0x4);
    EXPECT_EQ(m.Header.hiformat, 13);
    EXPECT_EQ(m.Header.headersize, 64);
    EXPECT_EQ(m.Header.depth, 0);
    EXPECT_EQ(m.Header.lowidth, 8);
    EXPECT_EQ(m.LowResCompressed.size(), 32u);
    // Reflectivity starts again from zero: white measures 1 in every channel, not 1 plus the first build.
    for (float r : m.Header.reflectivity) EXPECT_NEAR(r, 1.0f, 1e-6);
}

TEST(BuildTexture, AFormatOtherThanDxtBuildsTheLevelsWithPixelsButWithoutCompressedData) {
    BuildSurfaces s(gradient_picture(32, 32));
    TextureModule m;
    RecordedProgress progress;
    m.set_progress(&progress);
    ASSERT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, 0, 1));
    EXPECT_EQ(m.MipCount(), 6);
    for (const auto& level : m.MipLevels) {
        const auto& face = level.Frames[0].Faces[0];
        EXPECT_EQ(face.Pixels.size(), size_t(4 * level.Width * level.Height));
        EXPECT_EQ(face.CompressedSize, 0.0);
        EXPECT_TRUE(face.Compressed.empty());
    }
    EXPECT_EQ(progress.current, 6);
    EXPECT_EQ(m.Header.hiformat, 0);
}

TEST(BuildTexture, TheReflectivityOfASolidColourIsItsDecodedChannelsRedGreenBlue) {
    morvane::Image32 solid(32, 32, {/*b*/ 40, /*g*/ 120, /*r*/ 220, 255});
    BuildSurfaces s(solid);
    TextureModule m;
    ASSERT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, 1));
    EXPECT_NEAR(m.Header.reflectivity[0], std::pow(220 / 255.0, 2.2), 1e-5);
    EXPECT_NEAR(m.Header.reflectivity[1], std::pow(120 / 255.0, 2.2), 1e-5);
    EXPECT_NEAR(m.Header.reflectivity[2], std::pow(40 / 255.0, 2.2), 1e-5);
}

TEST(BuildTexture, TheReflectivityOfAStateWithoutLevelsIsZeroNotADivisionByZero) {
    TextureModule m;
    m.Header.reflectivity = {9, 9, 9};
    m.Header.frames = 1;
    m.FaceCount = 1;
    m.ComputeReflectivity();
    for (float r : m.Header.reflectivity) EXPECT_EQ(r, 0.0f);
}

TEST(BuildTexture, ANonSquarePictureGetsALowResolutionImageOfItsProportionAndStopsAtTheShorterSide) {
    BuildSurfaces s(gradient_picture(1024, 512));
    morvane_test::FastEncoder fast;
    TextureModule m;
    ASSERT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, 1));
    EXPECT_EQ(m.MipCount(), 10);
    EXPECT_EQ(m.MipLevels[0].Width, 2);
    EXPECT_EQ(m.MipLevels[0].Height, 1);
    EXPECT_EQ(m.Header.lowidth, 16);
    EXPECT_EQ(m.Header.loheight, 8);
    EXPECT_EQ(m.LowResCompressed.size(), 4u * 2u * 8u);
}

}  // namespace
