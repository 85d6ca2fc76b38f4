// A clear is carried out only when the image is looked at or drawn over in part; these cases check that
// nobody can tell: every reader sees the back colour exactly where an eager fill would have put it.
#include "platform/picture_surface.h"
#include "platform/stretch_copy.h"

#include <gtest/gtest.h>

using morvane::Bgra;
using morvane::Image32;
using morvane::PictureSurface;

namespace {

const Bgra kRed{0, 0, 255, 255};
const Bgra kBlue{255, 0, 0, 255};

// Every pixel different, so that a misplaced or missing one shows.
Image32 numbered_picture(int w, int h) {
    Image32 image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.set_pixel(x, y, {uint8_t(x * 7), uint8_t(y * 11), uint8_t(x + y), 255});
    return image;
}

void show(PictureSurface& s, const Image32& picture) {
    s.set_width_pixels(picture.width);
    s.set_height_pixels(picture.height);
    s.stretch_copy(picture, 0, 0, picture.width, picture.height);
}

}  // namespace

TEST(SurfaceClear, ADrawingOverPartOfAClearedSurfaceLeavesTheBackColourAroundIt) {
    const Image32 picture = numbered_picture(4, 4);
    PictureSurface s(0x000000FF);  // back colour red
    show(s, numbered_picture(6, 5));
    s.clear();
    s.stretch_copy(picture, 1, 1, 4, 4);  // leaves a frame of the old picture's size uncovered
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool drawn = x >= 1 && x <= 4 && y >= 1;
            EXPECT_EQ(s.image().pixel(x, y), drawn ? picture.pixel(x - 1, y - 1) : kRed) << x << "," << y;
        }
}

TEST(SurfaceClear, ResizingAfterAClearGivesTheBackColourEverywhereAndAChangedBackColourOnlyOnNewArea) {
    PictureSurface s(0x000000FF);  // back colour red
    show(s, numbered_picture(3, 2));
    s.clear();
    s.set_width_pixels(5);
    s.set_height_pixels(3);
    EXPECT_EQ(s.image().bytes, Image32(5, 3, kRed).bytes);

    s.clear();  // red, then the back colour turns blue: kept pixels stay red, new ones come blue
    s.set_back_color(0x00FF0000);
    s.set_width_pixels(6);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(s.image().pixel(x, 2), x < 5 ? kRed : kBlue) << x;
}

TEST(SurfaceClear, ACoveringDrawingShowsOnlyThePictureAndDrawingTheSurfaceOnItselfShowsTheClearedImage) {
    const Image32 picture = numbered_picture(8, 8);
    PictureSurface s(0x000000FF);  // back colour red
    show(s, numbered_picture(8, 8));
    s.clear();
    s.stretch_copy(picture, -1, -1, 10, 10);  // beyond every edge
    Image32 expected(8, 8);
    morvane::stretch_copy(picture, expected, -1, -1, 10, 10);
    EXPECT_EQ(s.image().bytes, expected.bytes);

    s.clear();
    s.stretch_copy(s.image(), 0, 0, 8, 8);  // reads the surface as it now is: all red
    EXPECT_EQ(s.image().bytes, Image32(8, 8, kRed).bytes);
    s.stretch_copy(picture, 0, 0, 8, 8);
    s.clear();
    s.stretch_copy(Image32{}, 0, 0, 8, 8);  // an empty picture draws nothing, so the fill must show
    EXPECT_EQ(s.image().bytes, Image32(8, 8, kRed).bytes);
}

TEST(SurfaceClear, TheImageFoundThroughTheHandleShowsTheClearEvenWhenTheHandleWasTakenBeforeIt) {
    PictureSurface s(0x000000FF);  // back colour red
    show(s, numbered_picture(4, 4));
    const morvane::SurfaceHandle kept = s.handle();  // as a control keeps the handle of its blend source
    s.clear();
    const Image32* found = morvane::SurfaceRegistry::instance().find(kept);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->bytes, Image32(4, 4, kRed).bytes);
}

TEST(SurfaceClear, AReductionOfASurfaceThatWasClearedIsTakenFromTheClearedPicture) {
    PictureSurface source(0x000000FF);  // back colour red
    show(source, numbered_picture(8, 8));
    PictureSurface scratch;
    scratch.set_width_pixels(4);
    scratch.set_height_pixels(4);
    scratch.stretch_copy(source.image(), 0, 0, 4, 4);  // builds the halvings of the numbered picture
    source.clear();
    scratch.stretch_copy(source.image(), 0, 0, 4, 4);
    EXPECT_EQ(scratch.image().bytes, Image32(4, 4, kRed).bytes);
}

TEST(SurfaceClear, TakingThePixelsHandsOverTheImageAndLeavesTheNewSizeInTheBackColour) {
    const Image32 picture = numbered_picture(6, 4);
    PictureSurface s(0x000000FF);  // back colour red
    show(s, picture);
    const morvane::PixelBytes taken = s.take_pixels(3, 2);
    EXPECT_EQ(taken, picture.bytes);
    EXPECT_EQ(s.width_pixels(), 3);
    EXPECT_EQ(s.height_pixels(), 2);
    EXPECT_EQ(s.image().bytes, Image32(3, 2, kRed).bytes);
}
