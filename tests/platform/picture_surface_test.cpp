#include "platform/picture_surface.h"

#include <gtest/gtest.h>

using morvane::Bgra;
using morvane::Image32;
using morvane::PictureSurface;

TEST(PictureSurface, OuterSizeIsInnerSizeOnlyWithoutBorderOnAPixelContainer) {
    PictureSurface s;  // pixels, flat, no border, not sized to its picture: what a build wants
    EXPECT_EQ(s.scale_mode(), morvane::ScalePixels);
    EXPECT_EQ(s.appearance(), morvane::AppearanceFlat);
    EXPECT_FALSE(s.auto_size());
    s.set_height_pixels(300);
    s.set_width_pixels(526);
    EXPECT_EQ(s.width(), 526);
    s.set_border_style(morvane::BorderFixedSingle);  // a one-pixel line on each side
    EXPECT_EQ(s.width(), 528);
    EXPECT_EQ(s.scale_width(), 526);
    s.set_appearance(morvane::Appearance3D);  // a sunken edge two pixels deep
    EXPECT_EQ(s.height(), 304);
    s.set_border_style(morvane::BorderNone);
    s.set_container_units_per_pixel(15);  // sitting on a frame that measures in twips
    EXPECT_EQ(s.width(), 526 * 15);
    s.set_scale_mode(morvane::ScalePoints);  // the inside in the surface's own units
    EXPECT_EQ(s.scale_height(), 225);
    s.set_border_style(morvane::BorderFixedSingle);
    s.set_width(15360);  // an outer size in twips: whole pixels inside, less the line and the sunken edge
    EXPECT_EQ(s.width_pixels(), 1020);
    s.set_width(20);  // less than the border itself
    EXPECT_EQ(s.width_pixels(), 0);
    EXPECT_TRUE(s.image().empty());
}

TEST(PictureSurface, ResizingKeepsWhatFitsFromTheTopLeftAndFillsNewAreaWithTheBackColour) {
    PictureSurface s(0x000000FF);  // back colour red
    s.set_width_pixels(3);
    s.set_height_pixels(2);
    Image32 picture(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) picture.set_pixel(x, y, {uint8_t(10 * x), uint8_t(10 * y), 7, 255});
    s.stretch_copy(picture, 0, 0, 3, 2);
    s.set_width_pixels(5);
    s.set_height_pixels(4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(s.image().pixel(x, y), (x < 3 && y < 2 ? picture.pixel(x, y) : Bgra{0, 0, 255, 255})) << x << y;
    s.set_width_pixels(2);
    s.set_height_pixels(1);
    EXPECT_EQ(s.image().bytes, (std::vector<uint8_t>{0, 0, 7, 255, 10, 0, 7, 255}));
    s.stretch_copy(Image32(1, 1, {50, 60, 70, 0}), 1, 0, 4, 4);  // clipped, and opaque
    EXPECT_EQ(s.image().bytes, (std::vector<uint8_t>{0, 0, 7, 255, 50, 60, 70, 255}));
    s.clear();
    EXPECT_EQ(s.image().pixel(0, 0), (Bgra{0, 0, 255, 255}));
}

TEST(PictureSurface, TheHandleFindsTheCurrentImageAfterAResizeAndNothingOnceTheSurfaceIsGone) {
    auto s = std::make_unique<PictureSurface>();
    const morvane::SurfaceHandle handle = s->handle();
    s->set_width_pixels(16);
    ASSERT_EQ(morvane::SurfaceRegistry::instance().find(handle), &s->image());
    s.reset();
    EXPECT_EQ(morvane::SurfaceRegistry::instance().find(handle), nullptr);
}
