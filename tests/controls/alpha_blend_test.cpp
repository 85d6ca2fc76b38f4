#include "platform/alpha_blend.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

// A source whose pixel (x, y) is (b = x, g = y, r = 200).
struct Source {
    RegisteredImage surface;
    Source(int w, int h) {
        surface.image().reset(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) surface.image().set_pixel(x, y, Bgra{uint8_t(x), uint8_t(y), 200, 255});
    }
};

TEST(AlphaBlend, OpacityZeroKeepsTheDestinationAndFullOpacityCopiesTheSource) {
    Source src(16, 16);
    Image32 dst(8, 8, Bgra{10, 20, 30, 255});
    ASSERT_TRUE(alpha_blend(dst, PixelRect{0, 0, 8, 8}, src.surface.handle(), 4, 2, 0));
    EXPECT_EQ(dst.pixel(3, 3), (Bgra{10, 20, 30, 255}));
    ASSERT_TRUE(alpha_blend(dst, PixelRect{0, 0, 8, 8}, src.surface.handle(), 4, 2, 255));
    EXPECT_EQ(dst.pixel(3, 3), (Bgra{7, 5, 200, 255}));
}

TEST(AlphaBlend, HalfOpacityRoundsEachChannelToTheNearestValue) {
    Source src(4, 4);
    Image32 dst(4, 4, Bgra{0, 255, 100, 255});
    ASSERT_TRUE(alpha_blend(dst, PixelRect{0, 0, 4, 4}, src.surface.handle(), 0, 0, 128));
    // (s * 128 + d * 127 + 127) / 255 per channel, source (3, 1, 200) at pixel (3, 1).
    const Bgra p = dst.pixel(3, 1);
    EXPECT_EQ(p.b, (3 * 128 + 0 * 127 + 127) / 255);
    EXPECT_EQ(p.g, (1 * 128 + 255 * 127 + 127) / 255);
    EXPECT_EQ(p.r, (200 * 128 + 100 * 127 + 127) / 255);
    EXPECT_EQ(blend_channel(255, 0, 128), 128);
    EXPECT_EQ(blend_channel(0, 255, 128), 127);
}

TEST(AlphaBlend, RefusedBlendsDrawNothing) {
    Source src(10, 10);
    const Image32 before(6, 6, Bgra{1, 2, 3, 255});
    Image32 dst = before;
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, 6}, 0, 0, 0, 255)) << "handle 0 is never issued";
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, 6}, 0x7FFFFFF0u, 0, 0, 255)) << "unknown handle";
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, 6}, src.surface.handle(), 5, 0, 255)) << "reaches past the right";
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, 6}, src.surface.handle(), 0, -1, 255)) << "starts above";
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 0, 6}, src.surface.handle(), 0, 0, 255)) << "zero width";
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, -2}, src.surface.handle(), 0, 0, 255)) << "negative height";
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, 6}, src.surface.handle(), 2147483647, 0, 255)) << "overflow";
    EXPECT_EQ(dst.bytes, before.bytes);
}

TEST(AlphaBlend, DestinationRectanglesAreClippedToTheDestination) {
    Source src(20, 20);
    Image32 dst(4, 4, Bgra{9, 9, 9, 255});
    ASSERT_TRUE(alpha_blend(dst, PixelRect{-2, -2, 8, 8}, src.surface.handle(), 0, 0, 255));
    EXPECT_EQ(dst.pixel(0, 0), (Bgra{2, 2, 200, 255})) << "source follows the clipped corner";
    EXPECT_EQ(dst.pixel(3, 3), (Bgra{5, 5, 200, 255}));
}

TEST(AlphaBlend, ASurfaceCanBeBlendedOntoItself) {
    Source src(8, 1);
    ASSERT_TRUE(alpha_blend(src.surface.image(), PixelRect{1, 0, 7, 1}, src.surface.handle(), 0, 0, 255));
    for (int x = 1; x < 8; ++x) EXPECT_EQ(src.surface.image().pixel(x, 0).b, x - 1) << "x " << x;
}

}  // namespace
}  // namespace morvane
