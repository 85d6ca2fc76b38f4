// The stretch copy behind every surface, and the translucent blend of one surface onto another.
#include "platform/pictures/alpha_blend.h"
#include "platform/pictures/stretch_copy.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace morvane {
namespace {

using testing::noise_picture;

Image32 stretched(const Image32& picture, int w, int h) {
    Image32 out(w, h, Bgra{1, 2, 3, 255});
    stretch_copy(picture, out, 0, 0, w, h);
    return out;
}

Bgra opaque(Bgra p) { return {p.b, p.g, p.r, 255}; }

// Reducing averages the covered source area in linear light: a black and red checkerboard gives red of half the
// light (188, not 128) in the third byte, and 3 pixels onto 2 split the middle one.
// Enlarging blends neighbours in linear light too, and keeps the top row on top and red in the third byte.
// What needs no averaging comes out exactly: 1:1, an axis that keeps its size while the other is scaled, and a
// solid colour at every size. Every pixel written is opaque.
TEST(StretchCopy, ScalingAveragesLightNotCodesAndWhatNeedsNoAveragingComesOutExactly) {
    Image32 checkerboard(64, 64);
    for (int i = 0; i < 4096; ++i) checkerboard.set_pixel(i % 64, i / 64, (i + i / 64) % 2 ? Bgra{0, 0, 255, 255} : Bgra{});
    EXPECT_EQ(stretched(checkerboard, 32, 32).bytes, Image32(32, 32, Bgra{0, 0, 188, 255}).bytes);
    Image32 three(3, 1);
    three.set_pixel(1, 0, {255, 255, 255, 255});
    three.set_pixel(2, 0, {40, 40, 40, 255});
    const Image32 two = stretched(three, 2, 1);
    // The sRGB codes of a third of white's light and of (half of white's light + code 40's 0.0234) / 1.5.
    EXPECT_NEAR(two.pixel(0, 0).g, 156, 1);
    EXPECT_NEAR(two.pixel(1, 0).g, 159, 1);
    Image32 black_red(2, 2, {0, 0, 0, 255});  // red on the right of the top row
    black_red.set_pixel(1, 0, {0, 0, 255, 255});
    const Image32 ramp = stretched(black_red, 8, 6);
    EXPECT_EQ(ramp.pixel(7, 0), (Bgra{0, 0, 255, 255}));
    EXPECT_NEAR(ramp.pixel(3, 0).r, 165, 1);  // pixel 3 of 8 lies 37.5 % of the way to the red centre: code 165

    for (auto [w, h, to_h] : {std::array{37, 23, 23}, std::array{64, 1, 5}}) {
        const Image32 picture = noise_picture(w, h, 4), out = stretched(picture, w, to_h);
        for (int y = 0; y < to_h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(out.pixel(x, y), opaque(picture.pixel(x, h == to_h ? y : 0))) << x << "," << y;
    }
    const Bgra c{254, 253, 252, 77};
    for (auto [w, h, to_w, to_h] : {std::array{3840, 2400, 1024, 1024}, {600, 300, 2048, 2048}, {17, 13, 5, 3},
                                    {5, 3, 17, 13}, {1024, 1024, 1, 1}, {7, 9, 9, 7}})
        EXPECT_EQ(stretched(Image32(w, h, c), to_w, to_h).bytes, Image32(to_w, to_h, opaque(c)).bytes) << w << " onto " << to_w;
}

// A picture placed partly off every edge, out at the ends of int, or large enough to be drawn by two threads
// each taking part of the rows: only the visible part is written, with the pixels the unclipped draw shows
// there. Empty rectangles and pictures that hold fewer bytes than their size claims draw nothing; a picture
// drawn onto itself is read as it was before the draw.
TEST(StretchCopy, DrawingIsClippedToTheTargetWithThePixelsOfTheUnclippedDraw) {
    const Bgra back{9, 9, 9, 9};
    const Image32 small = noise_picture(30, 20, 4), large = noise_picture(1280, 900, 5);  // large takes a second thread
    const struct { const Image32& picture; int tw, th, x, y, w, h; } cases[] = {{small, 20, 20, -10, -10, 30, 30},
        {small, 20, 20, 15, 15, 30, 30}, {small, 20, 20, -5, 3, 80, 4}, {small, 20, 20, 19, 19, 1, 1},
        {small, 20, 20, 20, 0, 5, 5}, {small, 20, 20, -2147483647, 0, 5, 5}, {small, 20, 20, 10, 10, 2147483647, 2147483647},
        {small, 20, 20, 0, 0, 0, 5}, {small, 20, 20, 0, 0, 5, -3}, {large, 301, 71, 0, -70, 301, 211},
        {large, 301, 71, 0, -140, 301, 211}};
    for (const auto& [picture, tw, th, x, y, w, h] : cases) {
        Image32 target(tw, th, back);
        stretch_copy(picture, target, x, y, w, h);
        const bool drawable = int64_t(w) * h < 100000;
        const Image32 whole = drawable && w > 0 && h > 0 ? stretched(picture, w, h) : Image32();
        for (int ty = 0; ty < th; ++ty)
            for (int tx = 0; tx < tw; ++tx) {
                const bool inside = tx >= int64_t(x) && tx < int64_t(x) + w && ty >= int64_t(y) && ty < int64_t(y) + h;
                ASSERT_TRUE((inside && !drawable) || target.pixel(tx, ty) == (inside ? whole.pixel(tx - x, ty - y) : back))
                    << tx << "," << ty << " for " << x << "," << y << " " << w << "x" << h;
            }
    }
    Image32 short_of_bytes(4, 4), target(20, 20, back);
    short_of_bytes.bytes.resize(20);
    stretch_copy(Image32{}, target, 0, 0, 5, 5);
    stretch_copy(short_of_bytes, target, 0, 0, 8, 8);
    EXPECT_EQ(target.bytes, Image32(20, 20, back).bytes) << "an empty or malformed picture drew";
    Image32 itself = noise_picture(16, 16, 5), expected = itself;
    stretch_copy(Image32(itself), expected, 4, 4, 8, 8);
    stretch_copy(itself, itself, 4, 4, 8, 8);
    EXPECT_EQ(itself.bytes, expected.bytes);
}

// A source region that does not lie wholly inside the source image would be read past its pixels.
TEST(AlphaBlend, ASourceRegionReachingOutsideTheSourceImageIsRefusedAndDrawsNothing) {
    const Image32 source(10, 10, Bgra{200, 100, 50, 255}), before(6, 6, Bgra{1, 2, 3, 255});
    Image32 destination = before;
    for (auto [x, y] : {std::pair{5, 0}, {0, 5}, {-1, 0}, {0, -1}, {2147483647, 0}})
        EXPECT_FALSE(alpha_blend(destination, PixelRect{0, 0, 6, 6}, source, x, y, 128)) << x << "," << y;
    EXPECT_EQ(destination.bytes, before.bytes);
    EXPECT_TRUE(alpha_blend(destination, PixelRect{0, 0, 6, 6}, source, 4, 4, 255));
    EXPECT_EQ(destination.bytes, Image32(6, 6, Bgra{200, 100, 50, 255}).bytes);
}

}  // namespace
}  // namespace morvane
