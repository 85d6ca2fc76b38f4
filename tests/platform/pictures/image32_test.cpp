#include "platform/pictures/image32.h"
#include "platform/pictures/memory_reuse.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace {

using morvane::PixelRect;

bool holds(PixelRect r, int x, int y) {
    return x >= int64_t(r.x) && x < int64_t(r.x) + r.width && y >= int64_t(r.y) && y < int64_t(r.y) + r.height;
}

// Every rectangle near a 5 x 4 image, and rectangles out at the ends of int: the clipped rectangle lies on the
// image and holds exactly the pixels that lie both in the rectangle and on the image.
TEST(ClipTo, KeepsExactlyThePixelsOfTheRectangleThatLieOnTheImage) {
    const morvane::Image32 image(5, 4);
    std::vector<PixelRect> rects = {{INT_MAX, 0, INT_MAX, 4}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                                    {-2, -3, INT_MAX, INT_MAX}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}, {0, 0, INT_MIN, 4}};
    for (int x = -7; x <= 7; ++x)
        for (int w = -2; w <= 9; ++w)
            for (int y : {-5, -1, 0, 2, 4})
                for (int h : {-1, 0, 1, 3, 6}) rects.push_back({x, y, w, h});
    for (const PixelRect r : rects) {
        const PixelRect v = morvane::clip_to(image, r);
        SCOPED_TRACE(testing::Message() << r.x << ", " << r.y << ", " << r.width << " x " << r.height);
        ASSERT_TRUE(v.width >= 0 && v.height >= 0 &&
                    (v.width == 0 || v.height == 0 || (v.x >= 0 && v.y >= 0 && v.x + v.width <= 5 && v.y + v.height <= 4)));
        for (int i = 0; i < 20; ++i) EXPECT_EQ(holds(v, i % 5, i / 5), holds(r, i % 5, i / 5)) << i % 5 << ", " << i / 5;
    }
}

// A level's pixels start on a 2 MB boundary, so that the large-page hint covers every byte of them, and a
// block grown and shrunk across the large-block size is given back the way it was taken (the sanitizer run
// catches a mismatch).
TEST(MemoryReuse, LargePixelBuffersStartOnA2MegabyteBoundaryAndSmallOnesAnywhere) {
    morvane::PixelBytes level(size_t(1024) * 1024 * 4 + 12);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(level.data()) % (uintptr_t(2) << 20), 0u);
    level[level.size() - 1] = 7;  // the whole block is usable, its last byte included (the sanitizer run sees)
    morvane::PixelBytes small(64 * 64 * 4);
    small.resize(size_t(3) << 20);  // grows into a large block, then back
    small.resize(16);
    small.shrink_to_fit();
}

}  // namespace
