#include "platform/alpha_blend.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

// A source region that does not lie wholly inside the source image would be read past its pixels.
TEST(AlphaBlend, ASourceRegionReachingOutsideTheSourceImageIsRefusedAndDrawsNothing) {
    RegisteredImage source;
    source.image().reset(10, 10, Bgra{200, 100, 50, 255});
    const Image32 before(6, 6, Bgra{1, 2, 3, 255});
    Image32 destination = before;
    for (auto [x, y] : {std::pair{5, 0}, {0, 5}, {-1, 0}, {0, -1}, {2147483647, 0}})
        EXPECT_FALSE(alpha_blend(destination, PixelRect{0, 0, 6, 6}, source.handle(), x, y, 128)) << x << "," << y;
    EXPECT_EQ(destination.bytes, before.bytes);
    EXPECT_TRUE(alpha_blend(destination, PixelRect{0, 0, 6, 6}, source.handle(), 4, 4, 255));
    EXPECT_EQ(destination.pixel(5, 5), (Bgra{200, 100, 50, 255}));
}

}  // namespace
}  // namespace morvane
