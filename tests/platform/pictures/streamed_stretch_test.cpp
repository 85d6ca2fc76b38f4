// A picture drawn while it is still arriving gives the pixels of the same picture drawn whole, wherever the
// rectangle lies, and a picture that breaks off ends the drawing instead of hanging it.
#include "platform/pictures/picture_surface.h"
#include "platform/pictures/streamed_stretch.h"
#include "platform/pictures/stretch_copy.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace morvane {
namespace {

using testing::noise_picture;

// The rows of a picture held whole, handed out as a decoder would, top first or bottom first; with
// `break_at`, nothing from that row on.
class HeldRows final : public RowSource {
public:
    explicit HeldRows(const Image32& picture, int break_at = -1, bool bottom_first = false)
        : picture_(picture), break_at_(break_at), bottom_first_(bottom_first) {}
    int width() const override { return picture_.width; }
    int height() const override { return picture_.height; }
    bool bottom_first() const override { return bottom_first_; }
    Outcome read_rows(uint8_t* const* rows, int count) override {
        for (int i = 0; i < count; ++i, ++next_) {
            if (next_ == break_at_ || next_ >= picture_.height) return Outcome::failed("it broke off here");
            std::memcpy(rows[i], picture_.row(bottom_first_ ? picture_.height - 1 - next_ : next_), picture_.stride());
        }
        return Outcome::done();
    }
    int rows_read() const { return next_; }

private:
    const Image32& picture_;
    int break_at_;
    bool bottom_first_;
    int next_ = 0;
};

// Reductions and enlargements on each axis, one axis kept, 1:1, and rectangles that stick out of the target on
// any side or lie wholly outside it; the rows coming top first or bottom first.
TEST(StreamedStretch, DrawsTheSamePixelsAsTheWholePictureWhereverTheRectangleLies) {
    const struct {
        int pw, ph, x, y, w, h;
    } cases[] = {{517, 289, 0, 0, 200, 200}, {37, 23, 0, 0, 64, 64},  {64, 48, 0, 0, 64, 20},  {40, 30, 3, 4, 40, 30},
                 {300, 17, -50, 7, 190, 90}, {90, 120, 30, -40, 200, 100}, {33, 900, 0, 0, 120, 64},
                 {64, 64, 150, 0, 30, 30},   {1, 1, 0, 0, 5, 7}};
    for (const auto& c : cases) {
        const Image32 picture = noise_picture(c.pw, c.ph, uint32_t(c.pw * 31 + c.ph));
        const Image32 target(160, 120, Bgra{9, 8, 7, 255});
        Image32 whole = target;
        stretch_copy(picture, whole, c.x, c.y, c.w, c.h);
        for (const bool bottom_first : {false, true}) {
            Image32 streamed = target;
            HeldRows rows(picture, -1, bottom_first);
            EXPECT_TRUE(stretch_rows_copy(rows, streamed, c.x, c.y, c.w, c.h).ok);
            EXPECT_TRUE(streamed.bytes == whole.bytes) << c.pw << " x " << c.ph << " onto " << c.w << " x " << c.h
                                                       << " at " << c.x << ", " << c.y << (bottom_first ? ", bottom first" : "");
        }
    }
}

// Rows the rectangle cannot show are not even decoded; a picture broken off part way says so, with the rows
// before the break drawn; an empty picture or rectangle draws nothing.
TEST(StreamedStretch, StopsWhereNothingMoreShowsAndReportsAPictureThatBreaksOff) {
    const Image32 picture = noise_picture(200, 400);
    Image32 target(100, 100, Bgra{1, 2, 3, 255}), expected = target;
    HeldRows top_only(picture);
    EXPECT_TRUE(stretch_rows_copy(top_only, target, 0, 0, 100, 400).ok);  // only the top quarter is inside
    EXPECT_LE(top_only.rows_read(), 112) << "read on past what shows";
    stretch_copy(picture, expected, 0, 0, 100, 400);
    EXPECT_TRUE(target.bytes == expected.bytes);
    HeldRows bottom_first(picture, -1, true), nothing_shows(picture, -1, true);
    EXPECT_TRUE(stretch_rows_copy(bottom_first, target, 0, -300, 100, 400).ok);  // only the bottom quarter
    EXPECT_LE(bottom_first.rows_read(), 112) << "read on past what shows, from the bottom";
    EXPECT_TRUE(stretch_rows_copy(nothing_shows, target, 0, 200, 100, 400).ok);
    EXPECT_EQ(nothing_shows.rows_read(), 0);

    Image32 broken(100, 100, Bgra{1, 2, 3, 255}), whole = broken;
    HeldRows breaks(picture, 200);
    EXPECT_EQ(stretch_rows_copy(breaks, broken, 0, 0, 100, 100).error, "it broke off here");
    stretch_copy(picture, whole, 0, 0, 100, 100);
    EXPECT_EQ(std::memcmp(broken.row(0), whole.row(0), broken.stride() * 40), 0)
        << "the rows above the break are not drawn as they would be";

    Image32 untouched(8, 8, Bgra{1, 2, 3, 255});
    const Image32 before = untouched, nothing;
    HeldRows none(nothing);
    EXPECT_TRUE(stretch_rows_copy(none, untouched, 0, 0, 8, 8).ok);
    HeldRows some(picture);
    EXPECT_TRUE(stretch_rows_copy(some, untouched, 0, 0, 0, 8).ok);
    EXPECT_TRUE(untouched.bytes == before.bytes);
}

// Through a surface: a pending clear under a rectangle that does not cover it all is carried out first, and a
// reduction by exactly a power of two comes from the pyramid, as it does for a picture held whole, the rows
// top first or bottom first.
TEST(StreamedStretch, ASurfaceDrawsAnArrivingPictureAsItDrawsAHeldOne) {
    for (const auto& [pw, ph, w, h] : {std::array{256, 128, 64, 32}, std::array{300, 200, 50, 50}}) {
        const Image32 picture = noise_picture(pw, ph, 5);
        PictureSurface held, arriving;
        for (PictureSurface* s : {&held, &arriving}) {
            s->set_back_color(0x00336699);
            s->set_width_pixels(80);
            s->set_height_pixels(60);
            s->clear();
        }
        held.stretch_copy(picture, 4, 4, w, h);
        for (const bool bottom_first : {false, true}) {
            HeldRows rows(picture, -1, bottom_first);
            EXPECT_TRUE(arriving.stretch_copy(rows, 4, 4, w, h).ok);
            EXPECT_TRUE(arriving.image().bytes == held.image().bytes) << pw << " onto " << w << (bottom_first ? ", bottom first" : "");
        }
    }
}

}  // namespace
}  // namespace morvane
