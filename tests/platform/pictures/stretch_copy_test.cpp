// The stretch copy behind every surface, and the translucent blend of one surface onto another.
#include "platform/pictures/alpha_blend.h"
#include "platform/pictures/stretch_copy.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace morvane {
namespace {

using testing::noise_picture;

// The sRGB curve written out here on its own, so the expectations do not lean on the code under test.
double decode(int code) {
    const double e = code / 255.0;
    return e <= 0.04045 ? e / 12.92 : std::pow((e + 0.055) / 1.055, 2.4);
}
int encode(double linear) {
    const double e = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    return int(std::lround(e * 255.0));
}

Image32 stretched(const Image32& picture, int w, int h) {
    Image32 out(w, h, Bgra{1, 2, 3, 255});
    stretch_copy(picture, out, 0, 0, w, h);
    return out;
}

Bgra opaque(Bgra p) { return {p.b, p.g, p.r, 255}; }

// 1:1 copies every colour byte; an axis that keeps its size (64 wide onto 64 wide) is copied exactly while the
// other is scaled; a solid colour stays exactly that colour at every size. Every pixel written is opaque.
TEST(StretchCopy, WhatNeedsNoAveragingComesOutExactlyAndEveryPixelOpaque) {
    for (auto [w, h, to_h] : {std::array{37, 23, 23}, std::array{64, 1, 5}}) {
        const Image32 picture = noise_picture(w, h), out = stretched(picture, w, to_h);
        for (int y = 0; y < to_h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(out.pixel(x, y), opaque(picture.pixel(x, h == to_h ? y : 0))) << x << "," << y;
    }
    const int sizes[][4] = {{3840, 2400, 1024, 1024}, {600, 300, 2048, 2048}, {17, 13, 5, 3}, {5, 3, 17, 13},
                            {1024, 1024, 1, 1},       {1, 1, 64, 64},         {7, 9, 9, 7}};
    for (Bgra c : {Bgra{254, 253, 252, 77}, Bgra{0, 0, 0, 255}, Bgra{255, 255, 255, 255}, Bgra{1, 2, 3, 255}, Bgra{12, 13, 188, 0}})
        for (auto& s : sizes) {
            if (std::max(s[0] * s[1], s[2] * s[3]) > 1000000 && c.a != 77) continue;  // big pictures: one colour is enough
            EXPECT_EQ(stretched(Image32(s[0], s[1], c), s[2], s[3]).bytes, Image32(s[2], s[3], opaque(c)).bytes)
                << s[0] << " onto " << s[2];
        }
}

// Reducing averages the covered source area in linear light: a 2 x 2 block gives its mean, a black and
// white checkerboard the grey of half the light (188, not 128), and 3 pixels onto 2 split the middle one.
// Enlarging blends neighbours in linear light too, and keeps the top row on top and red in the third byte.
TEST(StretchCopy, ScalingAveragesLightNotCodesWeighingEachSourcePixelByTheAreaItCovers) {
    const Image32 picture = noise_picture(64, 48, 3), half = stretched(picture, 32, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            for (int ch = 0; ch < 3; ++ch) {
                double sum = 0;
                for (int d = 0; d < 4; ++d) sum += decode(picture.row(2 * y + d / 2)[(2 * x + d % 2) * 4 + ch]);
                ASSERT_NEAR(half.row(y)[x * 4 + ch], encode(sum / 4), 1) << x << "," << y << " channel " << ch;
            }
    Image32 checkerboard(64, 64);
    for (int i = 0; i < 64 * 64; ++i) checkerboard.set_pixel(i % 64, i / 64, (i % 64 + i / 64) % 2 ? Bgra{255, 255, 255, 255} : Bgra{});
    EXPECT_EQ(stretched(checkerboard, 32, 32).bytes, Image32(32, 32, Bgra{188, 188, 188, 255}).bytes);

    Image32 three(3, 1);
    three.set_pixel(1, 0, {255, 255, 255, 255});
    three.set_pixel(2, 0, {40, 40, 40, 255});
    const Image32 two = stretched(three, 2, 1);
    EXPECT_NEAR(two.pixel(0, 0).g, encode(decode(255) * 0.5 / 1.5), 1);
    EXPECT_NEAR(two.pixel(1, 0).g, encode((decode(255) * 0.5 + decode(40)) / 1.5), 1);

    Image32 black_red(2, 2, {0, 0, 0, 255});  // red on the right of the top row
    black_red.set_pixel(1, 0, {0, 0, 255, 255});
    const Image32 ramp = stretched(black_red, 8, 6);
    EXPECT_EQ(ramp.pixel(0, 0), (Bgra{0, 0, 0, 255}));
    EXPECT_EQ(ramp.pixel(7, 0), (Bgra{0, 0, 255, 255}));
    EXPECT_EQ(ramp.pixel(7, 5), (Bgra{0, 0, 0, 255}));
    for (int x = 1; x < 8; ++x) EXPECT_GE(ramp.pixel(x, 0).r, ramp.pixel(x - 1, 0).r) << x;
    // The centre of pixel 3 of 8 lies 37.5 % of the way from the black centre to the red one.
    EXPECT_NEAR(ramp.pixel(3, 0).r, encode(0.375), 1);
}

// A picture placed partly off every edge, or out at the ends of int: only the visible part is written, and
// it shows the pixels the unclipped draw shows there. Empty rectangles and pictures that hold fewer bytes
// than their size claims draw nothing; a picture drawn onto itself is read as it was before the draw.
TEST(StretchCopy, DrawingIsClippedToTheTargetAndNeverWritesOutsideIt) {
    const Bgra back{9, 9, 9, 9};
    const Image32 picture = noise_picture(30, 20, 4);
    Image32 short_of_bytes(4, 4);
    short_of_bytes.bytes.resize(20);
    for (auto [x, y, w, h] : {std::array{-10, -10, 30, 30}, std::array{15, 15, 30, 30}, std::array{-5, 3, 80, 4},
                              std::array{19, 19, 1, 1}, std::array{20, 0, 5, 5}, std::array{-2147483647, 0, 5, 5},
                              std::array{10, 10, 2147483647, 2147483647}, std::array{0, 0, 0, 5}, std::array{0, 0, 5, -3}}) {
        Image32 target(20, 20, back);
        stretch_copy(picture, target, x, y, w, h);
        ASSERT_EQ(target.bytes.size(), 20u * 20u * 4u);
        const bool small = int64_t(w) * h < 10000;
        const Image32 whole = small && w > 0 && h > 0 ? stretched(picture, w, h) : Image32();
        for (int ty = 0; ty < 20; ++ty)
            for (int tx = 0; tx < 20; ++tx) {
                const bool inside = tx >= int64_t(x) && tx < int64_t(x) + w && ty >= int64_t(y) && ty < int64_t(y) + h;
                if (!inside || small) {
                    ASSERT_EQ(target.pixel(tx, ty), inside ? whole.pixel(tx - x, ty - y) : back)
                        << tx << "," << ty << " for " << x << "," << y << " " << w << "x" << h;
                }
            }
        const Image32 drawn = target;
        stretch_copy(Image32{}, target, 0, 0, 5, 5);
        stretch_copy(short_of_bytes, target, 0, 0, 8, 8);
        ASSERT_EQ(target.bytes, drawn.bytes) << "an empty or malformed picture drew";
    }
    Image32 itself = noise_picture(16, 16, 5), expected = itself;
    stretch_copy(Image32(itself), expected, 4, 4, 8, 8);
    stretch_copy(itself, itself, 4, 4, 8, 8);
    EXPECT_EQ(itself.bytes, expected.bytes);
}

// A photograph-sized picture is stretched by two threads, each taking part of the rows; every row must come out
// as it does when drawn on its own, whichever part of the work it fell in.
TEST(StretchCopy, ALargePictureGivesTheSameRowsWhetherDrawnWholeOrOneBandAtATime) {
    const Image32 picture = noise_picture(1280, 900, 5);  // above the size that takes a second thread
    const Image32 whole = stretched(picture, 301, 211);
    for (int band_top : {0, 70, 105, 140}) {
        Image32 band(301, 71, Bgra{1, 2, 3, 255});
        stretch_copy(picture, band, 0, -band_top, 301, 211);
        for (int y = 0; y < band.height && band_top + y < whole.height; ++y)
            ASSERT_TRUE(std::equal(band.row(y), band.row(y) + band.stride(), whole.row(band_top + y)))
                << "band at " << band_top << ", row " << y;
    }
}

// A source region that does not lie wholly inside the source image would be read past its pixels.
TEST(AlphaBlend, ASourceRegionReachingOutsideTheSourceImageIsRefusedAndDrawsNothing) {
    const Image32 source(10, 10, Bgra{200, 100, 50, 255});
    const Image32 before(6, 6, Bgra{1, 2, 3, 255});
    Image32 destination = before;
    for (auto [x, y] : {std::pair{5, 0}, {0, 5}, {-1, 0}, {0, -1}, {2147483647, 0}})
        EXPECT_FALSE(alpha_blend(destination, PixelRect{0, 0, 6, 6}, source, x, y, 128)) << x << "," << y;
    EXPECT_EQ(destination.bytes, before.bytes);
    EXPECT_TRUE(alpha_blend(destination, PixelRect{0, 0, 6, 6}, source, 4, 4, 255));
    EXPECT_EQ(destination.pixel(5, 5), (Bgra{200, 100, 50, 255}));
}

}  // namespace
}  // namespace morvane
