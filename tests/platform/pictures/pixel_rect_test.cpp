#include "platform/pictures/image32.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

namespace {

using morvane::Image32;
using morvane::PixelRect;

// The columns (or rows) of an image `size` wide that a span from `start`, `length` long, covers, found one
// by one: first and end, or {0, 0} when none.
std::pair<int, int> covered(int start, int length, int size) {
    int first = -1, end = -1;
    for (int p = 0; p < size; ++p) {
        if ((long long)p < start || (long long)p >= (long long)start + length) continue;
        if (first < 0) first = p;
        end = p + 1;
    }
    return first < 0 ? std::pair{0, 0} : std::pair{first, end};
}

// Every rectangle near a 5 x 4 image, and rectangles out at the ends of int: the clipped rectangle holds
// exactly the pixels that lie both in the rectangle and on the image.
TEST(ClipTo, KeepsExactlyThePixelsOfTheRectangleThatLieOnTheImage) {
    const Image32 image(5, 4);
    auto check = [&](PixelRect r) {
        SCOPED_TRACE(testing::Message() << r.x << ", " << r.y << ", " << r.width << " x " << r.height);
        const PixelRect v = morvane::clip_to(image, r);
        const auto [x0, x1] = covered(r.x, r.width, image.width);
        const auto [y0, y1] = covered(r.y, r.height, image.height);
        const bool none = x0 == x1 || y0 == y1;
        EXPECT_EQ(v.width == 0 || v.height == 0, none);
        if (none) return;
        EXPECT_EQ(v.x, x0);
        EXPECT_EQ(v.x + v.width, x1);
        EXPECT_EQ(v.y, y0);
        EXPECT_EQ(v.y + v.height, y1);
    };
    for (int x = -7; x <= 7; ++x)
        for (int w = -2; w <= 9; ++w)
            for (int y : {-5, -1, 0, 2, 4})
                for (int h : {-1, 0, 1, 3, 6}) check({x, y, w, h});
    for (PixelRect r : {PixelRect{INT_MAX, 0, INT_MAX, 4}, PixelRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                        PixelRect{-2, -3, INT_MAX, INT_MAX}, PixelRect{INT_MAX, INT_MAX, INT_MIN, INT_MIN},
                        PixelRect{0, 0, INT_MIN, 4}})
        check(r);
}

}  // namespace
