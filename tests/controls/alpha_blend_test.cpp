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

TEST(AlphaBlend, RefusedBlendsDrawNothingAndDestinationsAreClipped) {
    Source src(10, 10);
    const Image32 before(6, 6, Bgra{1, 2, 3, 255});
    Image32 dst = before;
    const SurfaceHandle h = src.surface.handle();
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, 6}, 0, 0, 0, 255)) << "handle 0 is never issued";
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, 6}, 0x7FFFFFF0u, 0, 0, 255)) << "unknown handle";
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, 6}, h, 5, 0, 255)) << "reaches past the right";
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, 6}, h, 0, -1, 255)) << "starts above";
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, -2}, h, 0, 0, 255)) << "negative height";
    EXPECT_FALSE(alpha_blend(dst, PixelRect{0, 0, 6, 6}, h, 2147483647, 0, 255)) << "overflow";
    EXPECT_EQ(dst.bytes, before.bytes);
    ASSERT_TRUE(alpha_blend(dst, PixelRect{-2, -2, 8, 8}, h, 0, 0, 255));
    EXPECT_EQ(dst.pixel(0, 0), (Bgra{2, 2, 200, 255})) << "source follows the clipped corner";
}

TEST(AlphaBlend, ASurfaceCanBeBlendedOntoItself) {
    Source src(8, 1);
    ASSERT_TRUE(alpha_blend(src.surface.image(), PixelRect{1, 0, 7, 1}, src.surface.handle(), 0, 0, 255));
    for (int x = 1; x < 8; ++x) EXPECT_EQ(src.surface.image().pixel(x, 0).b, x - 1) << "x " << x;
}

}  // namespace
}  // namespace morvane
