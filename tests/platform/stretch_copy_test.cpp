#include "platform/stretch_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>

using morvane::Bgra;
using morvane::Image32;

namespace {

// The sRGB curve written out here on its own, so the expectations do not lean on the code under test.
double decode(int code) {
    const double e = code / 255.0;
    return e <= 0.04045 ? e / 12.92 : std::pow((e + 0.055) / 1.055, 2.4);
}
int encode(double linear) {
    const double e = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    return int(std::lround(e * 255.0));
}

Image32 noise(int w, int h, unsigned seed) {
    Image32 img(w, h);
    std::mt19937 rng(seed);
    for (auto& b : img.bytes) b = uint8_t(rng());
    return img;
}

Image32 stretched(const Image32& picture, int w, int h, Bgra background = {1, 2, 3, 255}) {
    Image32 out(w, h, background);
    morvane::stretch_copy(picture, out, 0, 0, w, h);
    return out;
}

Bgra opaque(Bgra p) { return {p.b, p.g, p.r, 255}; }

}  // namespace

// 1:1 copies every colour byte; an axis that keeps its size (64 wide onto 64 wide) is copied exactly while
// the other is scaled. Every pixel written is opaque.
TEST(StretchCopy, AnAxisThatKeepsItsSizeIsCopiedExactlyAndEveryPixelComesOutOpaque) {
    for (auto [w, h, to_h] : {std::array{37, 23, 23}, std::array{64, 1, 5}}) {
        const Image32 picture = noise(w, h, 1);
        const Image32 out = stretched(picture, w, to_h);
        for (int y = 0; y < to_h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(out.pixel(x, y), opaque(picture.pixel(x, h == to_h ? y : 0))) << x << "," << y;
    }
}

TEST(StretchCopy, ASolidColourStaysExactlyThatColourAtEverySize) {
    const int sizes[][4] = {{3840, 2400, 1024, 1024}, {600, 300, 2048, 2048}, {17, 13, 5, 3}, {5, 3, 17, 13},
                            {1024, 1024, 1, 1},       {1, 1, 64, 64},         {7, 9, 9, 7}};
    for (Bgra c : {Bgra{254, 253, 252, 77}, Bgra{0, 0, 0, 255}, Bgra{255, 255, 255, 255}, Bgra{1, 2, 3, 255}, Bgra{12, 13, 188, 0}})
        for (auto& s : sizes) {
            if (std::max(s[0] * s[1], s[2] * s[3]) > 1000000 && c.a != 77) continue;  // big pictures: one colour is enough
            const Image32 out = stretched(Image32(s[0], s[1], c), s[2], s[3]);
            for (int i = 0; i < s[2] * s[3]; ++i) ASSERT_EQ(out.pixel(i % s[2], i / s[2]), opaque(c)) << s[0] << " onto " << s[2];
        }
}

// Reducing averages the covered source area in linear light: a 2 x 2 block gives its mean, a black and
// white checkerboard the grey of half the light (188, not 128), and 3 pixels onto 2 split the middle one.
// Enlarging blends neighbours in linear light too.
TEST(StretchCopy, ScalingAveragesLightNotCodesWeighingEachSourcePixelByTheAreaItCovers) {
    const Image32 picture = noise(64, 48, 3), half = stretched(picture, 32, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            for (int ch = 0; ch < 3; ++ch) {
                double sum = 0;
                for (int d = 0; d < 4; ++d) sum += decode(picture.row(2 * y + d / 2)[(2 * x + d % 2) * 4 + ch]);
                ASSERT_NEAR(half.row(y)[x * 4 + ch], encode(sum / 4), 1) << x << "," << y << " channel " << ch;
            }
    Image32 checkerboard(64, 64);
    for (int i = 0; i < 64 * 64; ++i) checkerboard.set_pixel(i % 64, i / 64, (i % 64 + i / 64) % 2 ? Bgra{255, 255, 255, 255} : Bgra{});
    const Image32 grey = stretched(checkerboard, 32, 32);
    for (int i = 0; i < 32 * 32; ++i) ASSERT_EQ(grey.pixel(i % 32, i / 32), (Bgra{188, 188, 188, 255})) << i;

    Image32 three(3, 1);
    three.set_pixel(1, 0, {255, 255, 255, 255});
    three.set_pixel(2, 0, {40, 40, 40, 255});
    const Image32 two = stretched(three, 2, 1);
    EXPECT_NEAR(two.pixel(0, 0).g, encode(decode(255) * 0.5 / 1.5), 1);
    EXPECT_NEAR(two.pixel(1, 0).g, encode((decode(255) * 0.5 + decode(40)) / 1.5), 1);

    Image32 black_white(2, 1);
    black_white.set_pixel(1, 0, {255, 255, 255, 255});
    const Image32 ramp = stretched(black_white, 8, 1);
    EXPECT_EQ(ramp.pixel(0, 0), (Bgra{0, 0, 0, 255}));
    EXPECT_EQ(ramp.pixel(7, 0), (Bgra{255, 255, 255, 255}));
    for (int x = 1; x < 8; ++x) EXPECT_GE(ramp.pixel(x, 0).g, ramp.pixel(x - 1, 0).g) << x;
    // The centre of pixel 3 of 8 lies 37.5 % of the way from the black centre to the white one.
    EXPECT_NEAR(ramp.pixel(3, 0).g, encode(0.375), 1);
}

TEST(StretchCopy, TheTopRowStaysAtTheTopAndRedStaysInTheThirdByte) {
    Image32 picture(100, 60, {0, 0, 0, 255});
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 10; ++y) picture.set_pixel(x, y, {0, 0, 255, 255});  // a red band on top
    for (auto [w, h] : {std::pair{50, 30}, std::pair{300, 200}, std::pair{40, 120}}) {
        const Image32 out = stretched(picture, w, h);
        EXPECT_EQ(out.row(0)[2], 255) << w;  // byte 2 of the first pixel in memory: red
        EXPECT_EQ(out.row(0)[0], 0) << w;
        EXPECT_EQ(out.row(h - 1)[2], 0) << w;
    }
}

// A picture placed partly off every edge, or out at the ends of int: only the visible part is written, and
// it shows the pixels the unclipped draw shows there. Empty rectangles and pictures that hold fewer bytes
// than their size claims draw nothing.
TEST(StretchCopy, DrawingIsClippedToTheTargetAndNeverWritesOutsideIt) {
    const Bgra back{9, 9, 9, 9};
    const Image32 picture = noise(30, 20, 4);
    Image32 short_of_bytes(4, 4);
    short_of_bytes.bytes.resize(20);
    for (auto [x, y, w, h] : {std::array{-10, -10, 30, 30}, std::array{15, 15, 30, 30}, std::array{-5, 3, 80, 4},
                              std::array{19, 19, 1, 1}, std::array{20, 0, 5, 5}, std::array{-2147483647, 0, 5, 5},
                              std::array{10, 10, 2147483647, 2147483647}, std::array{0, 0, 0, 5}, std::array{0, 0, 5, -3}}) {
        Image32 target(20, 20, back);
        morvane::stretch_copy(picture, target, x, y, w, h);
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
        morvane::stretch_copy(Image32{}, target, 0, 0, 5, 5);
        morvane::stretch_copy(short_of_bytes, target, 0, 0, 8, 8);
        ASSERT_EQ(target.bytes, drawn.bytes) << "an empty or malformed picture drew";
    }
}

TEST(StretchCopy, APictureDrawnOntoItselfIsReadAsItWasBeforeTheDraw) {
    Image32 picture = noise(16, 16, 5);
    Image32 expected = picture;
    morvane::stretch_copy(Image32(picture), expected, 4, 4, 8, 8);
    morvane::stretch_copy(picture, picture, 4, 4, 8, 8);
    EXPECT_EQ(picture.bytes, expected.bytes);
}

// A photograph-sized picture is stretched by two threads, each taking part of the rows; every row must come out
// as it does when drawn on its own, whichever part of the work it fell in.
TEST(StretchCopy, ALargePictureGivesTheSameRowsWhetherDrawnWholeOrOneBandAtATime) {
    const Image32 picture = noise(1280, 900, 5);  // above the size that takes a second thread
    const Image32 whole = stretched(picture, 301, 211);
    for (int band_top : {0, 70, 105, 140}) {
        Image32 band(301, 71, Bgra{1, 2, 3, 255});
        morvane::stretch_copy(picture, band, 0, -band_top, 301, 211);
        for (int y = 0; y < band.height && band_top + y < whole.height; ++y)
            for (int x = 0; x < 301; ++x)
                ASSERT_EQ(band.pixel(x, y), whole.pixel(x, band_top + y)) << "band at " << band_top << ": " << x << "," << y;
    }
}
