// The picture surface: its sizes as a window measures them, its clear that waits until someone looks, and the
// reductions it draws from its reduction pyramid.
#include "platform/picture_surface.h"
#include "platform/stretch_copy.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

namespace morvane {
namespace {

using testing::noise_picture;

const Bgra kRed{0, 0, 255, 255};

TEST(PictureSurface, OuterSizeIsInnerSizeOnlyWithoutBorderOnAPixelContainer) {
    PictureSurface s;  // pixels, flat, no border, not sized to its picture: what a build wants
    s.set_height_pixels(300);
    s.set_width_pixels(526);
    EXPECT_EQ(s.width(), 526);
    s.set_border_style(BorderFixedSingle);  // a one-pixel line on each side
    EXPECT_EQ(s.width(), 528);
    EXPECT_EQ(s.scale_width(), 526);
    s.set_appearance(Appearance3D);  // a sunken edge two pixels deep
    EXPECT_EQ(s.height(), 304);
    s.set_border_style(BorderNone);
    s.set_container_units_per_pixel(15);  // sitting on a frame that measures in twips
    EXPECT_EQ(s.width(), 526 * 15);
    s.set_scale_mode(ScalePoints);  // the inside in the surface's own units
    EXPECT_EQ(s.scale_height(), 225);
    s.set_border_style(BorderFixedSingle);
    s.set_width(15360);  // an outer size in twips: whole pixels inside, less the line and the sunken edge
    EXPECT_EQ(s.width_pixels(), 1020);
    s.set_width(20);  // less than the border itself
    EXPECT_EQ(s.width_pixels(), 0);
    EXPECT_TRUE(s.image().empty());
}

// Growing an image 0 wide but 5 high once copied its rows from no memory at all; the handle follows the
// image through a resize and finds nothing once the surface is gone.
TEST(PictureSurface, AResizeFillsNewAreaWithTheBackColourAndTheHandleFollowsTheImage) {
    auto s = std::make_unique<PictureSurface>(0x00336699);
    const SurfaceHandle handle = s->handle();
    s->set_height_pixels(5);
    s->set_width_pixels(3);
    EXPECT_EQ(s->image().bytes, Image32(3, 5, bgra_from_colorref(0x00336699)).bytes);
    ASSERT_EQ(SurfaceRegistry::instance().find(handle), &s->image());
    s.reset();
    EXPECT_EQ(SurfaceRegistry::instance().find(handle), nullptr);
}

// A clear is carried out only when the image is looked at or drawn over in part. Each case runs twice: with
// the surface's own clear, and with the back colour drawn over the whole surface at once; whatever a reader
// sees must be the same. The back colour is red.
TEST(SurfaceClear, EveryReaderSeesTheBackColourExactlyWhereAnEagerFillWouldHavePutIt) {
    using Clear = std::function<void(PictureSurface&)>;
    const Clear deferred = [](PictureSurface& s) { s.clear(); };
    const Clear eager = [](PictureSurface& s) {
        const int w = s.width_pixels(), h = s.height_pixels();
        s.stretch_copy(Image32(w, h, kRed), 0, 0, w, h);
    };
    const Image32 picture = noise_picture(8, 8);
    const std::vector<std::pair<const char*, std::function<PixelBytes(PictureSurface&, const Clear&)>>> cases = {
        {"drawn over in part", [&](PictureSurface& s, const Clear& clear) {
             clear(s);
             s.stretch_copy(picture, 1, 1, 4, 4);
             return s.image().bytes;
         }},
        {"drawn over beyond every edge", [&](PictureSurface& s, const Clear& clear) {
             clear(s);
             s.stretch_copy(picture, -1, -1, 10, 10);
             return s.image().bytes;
         }},
        {"grown, then the back colour changed and widened", [&](PictureSurface& s, const Clear& clear) {
             s.set_width_pixels(3);
             s.set_height_pixels(2);
             clear(s);
             s.set_width_pixels(5);
             s.set_height_pixels(3);
             PixelBytes seen = s.image().bytes;
             clear(s);
             s.set_back_color(0x00FF0000);  // blue: kept pixels stay red, new ones come blue
             s.set_width_pixels(6);
             seen.insert(seen.end(), s.image().bytes.begin(), s.image().bytes.end());
             return seen;
         }},
        {"drawn onto itself, and an empty picture drawn", [&](PictureSurface& s, const Clear& clear) {
             clear(s);
             s.stretch_copy(s.image(), 0, 0, 8, 8);
             PixelBytes seen = s.image().bytes;
             s.stretch_copy(picture, 0, 0, 8, 8);
             clear(s);
             s.stretch_copy(Image32{}, 0, 0, 8, 8);  // draws nothing, so the fill must show
             seen.insert(seen.end(), s.image().bytes.begin(), s.image().bytes.end());
             return seen;
         }},
        {"read through a handle taken before the clear", [&](PictureSurface& s, const Clear& clear) {
             const SurfaceHandle kept = s.handle();  // as a control keeps the handle of its blend source
             clear(s);
             return SurfaceRegistry::instance().find(kept)->bytes;
         }},
        {"reduced after an earlier reduction of the old picture", [&](PictureSurface& s, const Clear& clear) {
             PictureSurface scratch;
             scratch.set_width_pixels(4);
             scratch.set_height_pixels(4);
             scratch.stretch_copy(s.image(), 0, 0, 4, 4);  // builds the halvings of the old picture
             clear(s);
             scratch.stretch_copy(s.image(), 0, 0, 4, 4);
             return scratch.image().bytes;
         }},
    };
    for (const auto& [name, run] : cases) {
        SCOPED_TRACE(name);
        PixelBytes seen[2];
        for (int i = 0; i < 2; ++i) {
            PictureSurface s(0x000000FF);
            s.set_width_pixels(8);
            s.set_height_pixels(8);
            s.stretch_copy(noise_picture(8, 8, 2), 0, 0, 8, 8);
            seen[i] = run(s, i == 0 ? deferred : eager);
        }
        EXPECT_EQ(seen[0], seen[1]);
    }
}

// The mip capture takes each level's bytes and leaves the surface the next level's size in its back colour.
TEST(SurfaceClear, TakingThePixelsHandsOverTheImageAndLeavesTheNewSizeInTheBackColour) {
    const Image32 picture = noise_picture(6, 4);
    PictureSurface s(0x000000FF);
    s.set_width_pixels(6);
    s.set_height_pixels(4);
    s.stretch_copy(picture, 0, 0, 6, 4);
    const PixelBytes shown = s.image().bytes;
    EXPECT_EQ(s.take_pixels(3, 2), shown);
    EXPECT_EQ(s.width_pixels(), 3);
    EXPECT_EQ(s.image().bytes, Image32(3, 2, kRed).bytes);
}

int largest_difference(const Image32& a, const Image32& b) {
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    int worst = 0;
    for (size_t i = 0; i < std::min(a.bytes.size(), b.bytes.size()); ++i)
        worst = std::max(worst, std::abs(int(a.bytes[i]) - int(b.bytes[i])));
    return worst;
}

// What the general stretch copy of the whole picture draws onto a w x h image at (x, y, dw, dh).
Image32 drawn_directly(const Image32& picture, int w, int h, int x, int y, int dw, int dh) {
    Image32 out(w, h, Bgra{0, 0, 0, 255});
    stretch_copy(picture, out, x, y, dw, dh);
    return out;
}

// As the texture build captures: the scratch surface resized, cleared, the picture drawn.
Image32 through_surface(PictureSurface& surface, const Image32& picture, int w, int h, int x, int y, int dw, int dh) {
    surface.set_width_pixels(w);
    surface.set_height_pixels(h);
    surface.clear();
    surface.stretch_copy(picture, x, y, dw, dh);
    return surface.image();
}

// Halvings come from the pyramid and match the direct area reduction within one; other sizes take the general
// copy exactly; a halving drawn partly outside the surface is clipped as the general copy clips it.
TEST(ReductionPyramid, EveryDrawingMatchesTheGeneralStretchCopyOfTheWholePicture) {
    const Image32 picture = noise_picture(512, 256, 3);
    PictureSurface scratch(0x00000000);
    for (int k = 0; k <= 8; ++k) {
        const int w = 512 >> k, h = 256 >> k;
        EXPECT_LE(largest_difference(through_surface(scratch, picture, w, h, 0, 0, w, h),
                                     drawn_directly(picture, w, h, 0, 0, w, h)), 1) << "reduction by " << (1 << k);
    }
    const Image32 small = noise_picture(100, 60, 4);
    for (auto [w, h] : {std::pair{30, 30}, {50, 20}, {25, 30}, {99, 59}, {200, 120}})
        EXPECT_EQ(through_surface(scratch, small, w, h, 0, 0, w, h).bytes, drawn_directly(small, w, h, 0, 0, w, h).bytes)
            << w << "x" << h;
    EXPECT_LE(largest_difference(through_surface(scratch, small, 20, 12, -5, 3, 50, 30),
                                 drawn_directly(small, 20, 12, -5, 3, 50, 30)), 1);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(scratch.image().pixel(x, 0), (Bgra{0, 0, 0, 255})) << "row above the copy";
}

// Changes through the image's own functions, a new picture in the same place, and direct writes announced
// with touch(): each is reduced afresh, not from the old pyramid.
TEST(ReductionPyramid, APictureChangedAfterAReductionIsReducedAfresh) {
    Image32 picture = noise_picture(64, 64, 5);
    PictureSurface scratch;
    auto expect_fresh = [&](int side) {
        EXPECT_LE(largest_difference(through_surface(scratch, picture, side, side, 0, 0, side, side),
                                     drawn_directly(picture, side, side, 0, 0, side, side)), 1);
    };
    expect_fresh(16);
    picture.fill(Bgra{10, 20, 30, 255});
    expect_fresh(16);
    picture.set_pixel(5, 5, Bgra{250, 250, 250, 255});
    expect_fresh(32);
    picture = noise_picture(64, 64, 6);
    expect_fresh(8);
    for (uint8_t& b : picture.bytes) b = uint8_t(255 - b);
    picture.touch();
    expect_fresh(16);
}

}  // namespace
}  // namespace morvane
