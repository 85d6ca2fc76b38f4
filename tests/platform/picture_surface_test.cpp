#include "platform/picture_surface.h"

#include <gtest/gtest.h>

using morvane::PictureSurface;

TEST(PictureSurface, OuterSizeIsInnerSizeOnlyWithoutBorderOnAPixelContainer) {
    PictureSurface s;  // pixels, flat, no border, not sized to its picture: what a build wants
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

// Before, growing an image 0 wide but 5 high copied its rows from no memory at all (undefined behaviour).
TEST(PictureSurface, GrowingASurfaceThatIsZeroWideButSomeRowsHighFillsItWithTheBackColour) {
    PictureSurface s(0x00336699);
    s.set_height_pixels(5);
    s.set_width_pixels(3);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x) ASSERT_EQ(s.image().pixel(x, y), morvane::bgra_from_colorref(0x00336699));
}

TEST(PictureSurface, TheHandleFindsTheCurrentImageAfterAResizeAndNothingOnceTheSurfaceIsGone) {
    auto s = std::make_unique<PictureSurface>();
    const morvane::SurfaceHandle handle = s->handle();
    s->set_width_pixels(16);
    ASSERT_EQ(morvane::SurfaceRegistry::instance().find(handle), &s->image());
    s.reset();
    EXPECT_EQ(morvane::SurfaceRegistry::instance().find(handle), nullptr);
}
