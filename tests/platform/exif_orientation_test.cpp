// A photograph turned upright by its orientation tag, checked against the tag's definition: which side of
// the view the stored top row and left column become.
#include "platform/exif_orientation.h"

#include <gtest/gtest.h>

using morvane::Bgra;
using morvane::Image32;

TEST(ExifOrientation, TheStoredCornersLandWhereEachTagSays) {
    // 3 x 2 stored pixels; the top-left and top-right corners marked.
    Image32 stored(3, 2, Bgra{50, 50, 50, 255});
    const Bgra top_left{255, 0, 0, 255}, top_right{0, 255, 0, 255};
    stored.set_pixel(0, 0, top_left);
    stored.set_pixel(2, 0, top_right);
    struct Corner {
        int x, y;
    };
    // Per tag: where the stored top-left and top-right pixels appear (in the upright picture's size).
    const struct {
        int tag;
        Corner tl, tr;
    } cases[] = {{1, {0, 0}, {2, 0}}, {2, {2, 0}, {0, 0}}, {3, {2, 1}, {0, 1}}, {4, {0, 1}, {2, 1}},
                 {5, {0, 0}, {0, 2}}, {6, {1, 0}, {1, 2}}, {7, {1, 2}, {1, 0}}, {8, {0, 2}, {0, 0}},
                 {0, {0, 0}, {2, 0}}, {9, {0, 0}, {2, 0}}};
    for (const auto& c : cases) {
        const Image32 up = morvane::upright(stored, c.tag);
        const bool exchanged = c.tag >= 5 && c.tag <= 8;
        ASSERT_EQ(up.width, exchanged ? 2 : 3) << c.tag;
        ASSERT_EQ(up.height, exchanged ? 3 : 2) << c.tag;
        EXPECT_EQ(up.pixel(c.tl.x, c.tl.y), top_left) << "tag " << c.tag;
        EXPECT_EQ(up.pixel(c.tr.x, c.tr.y), top_right) << "tag " << c.tag;
    }
}
