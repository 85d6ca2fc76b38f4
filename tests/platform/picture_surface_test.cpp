#include "platform/picture_surface.h"

#include <gtest/gtest.h>

using morvane::Bgra;
using morvane::Image32;
using morvane::PictureSurface;

namespace {
void size(PictureSurface& s, int w, int h) {
    s.set_width_pixels(w);
    s.set_height_pixels(h);
}
}  // namespace

TEST(PictureSurface, ANewSurfaceMeasuresInPixelsFlatWithoutBorderOnAPixelContainer) {
    PictureSurface s;
    EXPECT_EQ(s.scale_mode(), morvane::ScalePixels);
    EXPECT_EQ(s.appearance(), morvane::AppearanceFlat);
    EXPECT_FALSE(s.auto_size());
    EXPECT_EQ(s.border_style(), morvane::BorderNone);
    EXPECT_EQ(s.container_units_per_pixel(), 1);
    EXPECT_TRUE(s.image().empty());
}

TEST(PictureSurface, OuterSizeEqualsInnerSizeOnlyWithoutBorderOnAPixelContainer) {
    PictureSurface s;
    s.set_height_pixels(300);
    s.set_width_pixels(526);
    EXPECT_EQ(s.width(), 526);
    EXPECT_EQ(s.height(), 300);
    EXPECT_EQ(s.scale_width(), 526);
    EXPECT_EQ(s.scale_height(), 300);

    s.set_border_style(morvane::BorderFixedSingle);  // a one-pixel line on each side
    EXPECT_EQ(s.width(), 528);
    EXPECT_EQ(s.height(), 302);
    EXPECT_EQ(s.scale_width(), 526);
    s.set_appearance(morvane::Appearance3D);  // a sunken edge two pixels deep
    EXPECT_EQ(s.width(), 530);
    EXPECT_EQ(s.height(), 304);

    s.set_border_style(morvane::BorderNone);
    s.set_container_units_per_pixel(15);  // sitting on a frame that measures in twips
    EXPECT_EQ(s.width(), 526 * 15);
    EXPECT_EQ(s.height(), 300 * 15);
    EXPECT_EQ(s.scale_width(), 526);
}

TEST(PictureSurface, SettingTheOuterSizeInTwipsOnATwipFrameGivesWholePixelsInside) {
    PictureSurface s;
    s.set_container_units_per_pixel(15);
    s.set_height(30720);
    s.set_width(15360);
    EXPECT_EQ(s.width_pixels(), 1024);
    EXPECT_EQ(s.height_pixels(), 2048);
    EXPECT_EQ(s.width(), 15360);

    s.set_border_style(morvane::BorderFixedSingle);
    s.set_width(15360);  // the border's two pixels come off the inside
    EXPECT_EQ(s.width_pixels(), 1022);
    EXPECT_EQ(s.width(), 15360);
    s.set_width(20);  // less than the border itself
    EXPECT_EQ(s.width_pixels(), 0);
}

TEST(PictureSurface, InnerSizeIsReportedInTheSurfacesOwnScaleUnits) {
    PictureSurface s;
    size(s, 1024, 512);
    s.set_scale_mode(morvane::ScaleTwips);
    EXPECT_EQ(s.scale_width(), 15360);
    EXPECT_EQ(s.scale_height(), 7680);
    s.set_scale_mode(morvane::ScalePoints);
    EXPECT_EQ(s.scale_width(), 768);
    EXPECT_EQ(s.width_pixels(), 1024);
}

TEST(PictureSurface, ClearFillsTheWholeImageWithTheBackColourOpaque) {
    PictureSurface s(0x00332211);  // red 0x11, green 0x22, blue 0x33
    size(s, 5, 4);
    s.stretch_copy(Image32(1, 1, {200, 200, 200, 255}), 0, 0, 5, 4);
    s.clear();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(s.image().pixel(x, y), (Bgra{0x33, 0x22, 0x11, 255}));
}

TEST(PictureSurface, GrowingKeepsTheOldPictureAndFillsTheNewAreaWithTheBackColour) {
    PictureSurface s(0x000000FF);  // back colour red
    size(s, 3, 2);
    Image32 picture(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) picture.set_pixel(x, y, {uint8_t(10 * x), uint8_t(10 * y), 7, 255});
    s.stretch_copy(picture, 0, 0, 3, 2);

    s.set_width_pixels(5);
    s.set_height_pixels(4);
    ASSERT_EQ(s.image().width, 5);
    ASSERT_EQ(s.image().height, 4);
    ASSERT_EQ(s.image().bytes.size(), 5u * 4u * 4u);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(s.image().pixel(x, y), (x < 3 && y < 2 ? picture.pixel(x, y) : Bgra{0, 0, 255, 255}))
                << x << "," << y;
}

TEST(PictureSurface, ShrinkingKeepsWhatStillFitsFromTheTopLeft) {
    PictureSurface s;
    size(s, 4, 4);
    Image32 picture(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) picture.set_pixel(x, y, {uint8_t(x), uint8_t(y), 9, 255});
    s.stretch_copy(picture, 0, 0, 4, 4);
    s.set_height_pixels(2);
    s.set_width_pixels(3);
    ASSERT_EQ(s.image().bytes.size(), 3u * 2u * 4u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(s.image().pixel(x, y), picture.pixel(x, y));
}

TEST(PictureSurface, ANegativeSizeLeavesAnEmptyImage) {
    PictureSurface s;
    size(s, -5, 3);
    EXPECT_EQ(s.width_pixels(), 0);
    EXPECT_TRUE(s.image().empty());
    EXPECT_EQ(s.width(), 0);
}

TEST(PictureSurface, TheHandleFindsTheCurrentImageEvenAfterAResize) {
    auto s = std::make_unique<PictureSurface>();
    const morvane::SurfaceHandle handle = s->handle();
    EXPECT_NE(handle, 0u);
    s->set_width_pixels(16);
    s->set_height_pixels(8);
    const Image32* found = morvane::SurfaceRegistry::instance().find(handle);
    ASSERT_EQ(found, &s->image());
    EXPECT_EQ(found->width, 16);
    s.reset();
    EXPECT_EQ(morvane::SurfaceRegistry::instance().find(handle), nullptr);
}

TEST(PictureSurface, StretchCopyDrawsIntoTheSurfaceClippedToIt) {
    PictureSurface s(0x00010101);
    size(s, 4, 4);
    s.clear();
    s.stretch_copy(Image32(2, 2, {50, 60, 70, 0}), 2, 2, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(s.image().pixel(x, y), (x >= 2 && y >= 2 ? Bgra{50, 60, 70, 255} : Bgra{1, 1, 1, 255}));
}
