// A picture drawn while it is still arriving gives the pixels of the same picture drawn whole, wherever the
// rectangle lies, and a picture that breaks off ends the drawing instead of hanging it.
#include "platform/pictures/picture_surface.h"
#include "platform/pictures/streamed_stretch.h"
#include "platform/pictures/stretch_copy.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace morvane {
namespace {

using testing::noise_picture;

// The rows of a picture held whole, handed out as a decoder would, top first or bottom first; with
// `break_at`, nothing from that row on.
struct HeldRows final : RowSource {
    HeldRows(const Image32& picture, bool bottom_first = false, int break_at = -1)
        : picture(picture), break_at(break_at), from_bottom(bottom_first) {}
    int width() const override { return picture.width; }
    int height() const override { return picture.height; }
    bool bottom_first() const override { return from_bottom; }
    Outcome read_rows(uint8_t* const* rows, int count) override {
        for (int i = 0; i < count; ++i, ++next) {
            if (next == break_at || next >= picture.height) return Outcome::failed("it broke off here");
            std::memcpy(rows[i], picture.row(from_bottom ? picture.height - 1 - next : next), picture.stride());
        }
        return Outcome::done();
    }
    const Image32& picture;
    const int break_at;
    const bool from_bottom;
    int next = 0;
};

// Reductions and enlargements on each axis, one axis kept, 1:1, by exactly a power of two, and rectangles that
// stick out of the target on any side or lie wholly outside it; the rows top first or bottom first; drawn on an
// image, and on a surface with a pending clear the rectangle does not cover, whose pyramid a held picture uses.
TEST(StreamedStretch, DrawsTheSamePixelsAsTheWholePictureWhereverTheRectangleLies) {
    const struct { int pw, ph, x, y, w, h; } cases[] = {{517, 289, 0, 0, 200, 200}, {37, 23, 0, 0, 64, 64},
        {64, 48, 0, 0, 64, 20}, {40, 30, 3, 4, 40, 30}, {300, 17, -50, 7, 190, 90}, {90, 120, 30, -40, 200, 100},
        {33, 900, 0, 0, 120, 64}, {64, 64, 150, 0, 30, 30}, {1, 1, 0, 0, 5, 7}, {256, 128, 4, 4, 64, 32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.pw << " x " << c.ph << " onto " << c.w << " x " << c.h << " at " << c.x);
        const Image32 picture = noise_picture(c.pw, c.ph, uint32_t(c.pw * 31 + c.ph));
        Image32 whole(160, 120, Bgra{9, 8, 7, 255});
        const Image32 target = whole;
        stretch_copy(picture, whole, c.x, c.y, c.w, c.h);
        PictureSurface held(0x00336699);
        held.hold_picture(target);
        held.clear();
        PictureSurface arriving = held;
        held.stretch_copy(picture, c.x, c.y, c.w, c.h);
        for (const bool bottom_first : {false, true}) {
            Image32 streamed = target;
            HeldRows rows(picture, bottom_first), again(picture, bottom_first);
            EXPECT_TRUE(stretch_rows_copy(rows, streamed, c.x, c.y, c.w, c.h).ok);
            EXPECT_TRUE(streamed.bytes == whole.bytes) << bottom_first;
            EXPECT_TRUE(arriving.stretch_copy(again, c.x, c.y, c.w, c.h).ok);
            EXPECT_TRUE(arriving.image().bytes == held.image().bytes) << "on a surface" << bottom_first;
        }
    }
}

// A picture broken off part way says so, with the rows before the break drawn; an empty picture or rectangle
// draws nothing.
TEST(StreamedStretch, ReportsAPictureThatBreaksOffAndDrawsNothingOfAnEmptyOne) {
    const Image32 picture = noise_picture(200, 400);
    Image32 target(100, 100, Bgra{1, 2, 3, 255}), expected = target;
    const Image32 before = target, nothing;
    HeldRows none(nothing), some(picture);
    EXPECT_TRUE(stretch_rows_copy(none, expected, 0, 0, 8, 8).ok && stretch_rows_copy(some, expected, 0, 0, 0, 8).ok);
    EXPECT_TRUE(expected.bytes == before.bytes) << "an empty picture or rectangle drew";

    HeldRows breaks(picture, false, 200);
    EXPECT_EQ(stretch_rows_copy(breaks, target, 0, 0, 100, 100).error, "it broke off here");
    stretch_copy(picture, expected, 0, 0, 100, 100);
    EXPECT_EQ(std::memcmp(target.row(0), expected.row(0), target.stride() * 40), 0)
        << "the rows above the break are not drawn as they would be";
}

}  // namespace
}  // namespace morvane
