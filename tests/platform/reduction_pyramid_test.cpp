// Reductions by 2, 4, 8, ... on a picture surface come from its reduction pyramid; they must match the
// direct area reduction of the whole picture and never come from a picture that has changed since.
#include "platform/picture_surface.h"
#include "platform/stretch_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace morvane {
namespace {

// Shading, fine texture, noise and hard edges, as in a photograph; the fourth byte is left unset (0).
Image32 photo_like(int width, int height) {
    Image32 p(width, height, Bgra{0, 0, 0, 0});
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            int noise = int(state >> 27) - 16;
            double t = std::sin(x * 0.7) * std::cos(y * 0.4) * 60;
            int r = int(120 + t + 0.3 * x) + noise, g = int(80 + 0.5 * y - t) + noise, b = (x / 7 + y / 5) % 2 ? 230 : 10;
            p.set_pixel(x, y, Bgra{uint8_t(std::clamp(b, 0, 255)), uint8_t(std::clamp(g, 0, 255)),
                                   uint8_t(std::clamp(r, 0, 255)), 0});
        }
    return p;
}

Image32 direct_reduction(const Image32& picture, int w, int h) {
    Image32 out(w, h, Bgra{1, 2, 3, 4});
    stretch_copy(picture, out, 0, 0, w, h);
    return out;
}

// As the texture build captures: the scratch surface resized to the level, cleared, the whole source drawn.
Image32 through_surface(PictureSurface& surface, const Image32& picture, int w, int h) {
    surface.set_width_pixels(w);
    surface.set_height_pixels(h);
    surface.clear();
    surface.stretch_copy(picture, 0, 0, w, h);
    return surface.image();
}

int largest_difference(const Image32& a, const Image32& b) {
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    int worst = 0;
    for (size_t i = 0; i < std::min(a.bytes.size(), b.bytes.size()); ++i)
        worst = std::max(worst, std::abs(int(a.bytes[i]) - int(b.bytes[i])));
    return worst;
}

TEST(ReductionPyramid, EveryLevelFromFullSizeDownMatchesTheDirectAreaReductionWithinOne) {
    const Image32 picture = photo_like(512, 256);
    PictureSurface scratch;
    for (int k = 0; k <= 8; ++k) {
        const Image32 fast = through_surface(scratch, picture, 512 >> k, 256 >> k);
        EXPECT_LE(largest_difference(fast, direct_reduction(picture, 512 >> k, 256 >> k)), 1) << "reduction by " << (1 << k);
    }
}

// Changes through the image's own functions, a new picture in the same place, direct writes announced with
// touch(), and a source surface cleared to its back colour: each is reduced afresh.
TEST(ReductionPyramid, APictureChangedAfterAReductionIsReducedAfreshNotFromTheOldPyramid) {
    Image32 picture = photo_like(64, 64);
    PictureSurface scratch;
    auto expect_fresh = [&](int side) {
        EXPECT_LE(largest_difference(through_surface(scratch, picture, side, side), direct_reduction(picture, side, side)), 1);
    };
    expect_fresh(16);
    picture.fill(Bgra{10, 20, 30, 255});
    expect_fresh(16);
    picture.set_pixel(5, 5, Bgra{250, 250, 250, 255});
    expect_fresh(32);
    picture = photo_like(64, 64);
    expect_fresh(8);
    for (size_t i = 0; i < picture.bytes.size(); ++i) picture.bytes[i] = uint8_t(255 - picture.bytes[i]);
    picture.touch();
    expect_fresh(16);

    PictureSurface source(0x0000FF);
    source.set_width_pixels(32);
    source.set_height_pixels(32);
    source.stretch_copy(photo_like(32, 32), 0, 0, 32, 32);
    through_surface(scratch, source.image(), 8, 8);
    source.clear();  // all red
    EXPECT_EQ(through_surface(scratch, source.image(), 8, 8).bytes, Image32(8, 8, Bgra{0, 0, 255, 255}).bytes);
}

// Other sizes take the general copy exactly; a halving drawn partly outside the surface is clipped as the
// general copy clips it.
TEST(ReductionPyramid, SizesThatAreNoExactHalvingAndClippedHalvingsFollowTheGeneralStretchCopy) {
    const Image32 picture = photo_like(100, 60);
    PictureSurface scratch;
    for (auto [w, h] : {std::pair{30, 30}, {50, 20}, {25, 30}, {99, 59}, {200, 120}})
        EXPECT_EQ(through_surface(scratch, picture, w, h).bytes, direct_reduction(picture, w, h).bytes) << w << "x" << h;
    through_surface(scratch, Image32(20, 12, Bgra{0, 0, 0, 255}), 20, 12);
    scratch.stretch_copy(picture, -5, 3, 50, 30);
    Image32 direct(20, 12, Bgra{0, 0, 0, 255});
    stretch_copy(picture, direct, -5, 3, 50, 30);
    EXPECT_LE(largest_difference(scratch.image(), direct), 1);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(scratch.image().pixel(x, 0), (Bgra{0, 0, 0, 255})) << "row above the copy";
}

}  // namespace
}  // namespace morvane
