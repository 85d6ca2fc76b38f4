#include "platform/stretch_copy.h"

#include <gtest/gtest.h>

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

void expect_all_pixels(const Image32& img, Bgra expected) {
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            ASSERT_EQ(img.pixel(x, y), expected) << "at " << x << "," << y << " of " << img.width << "x" << img.height;
}

}  // namespace

TEST(StretchCopy, OneToOneCopiesEveryByteAndMakesThePixelsOpaque) {
    Image32 picture = noise(37, 23, 1);
    Image32 out = stretched(picture, 37, 23);
    for (size_t i = 0; i < picture.bytes.size(); ++i) {
        if (i % 4 == 3)
            ASSERT_EQ(out.bytes[i], 255) << i;
        else
            ASSERT_EQ(out.bytes[i], picture.bytes[i]) << i;
    }
}

TEST(StretchCopy, AnAxisThatKeepsItsSizeIsCopiedExactlyWhileTheOtherIsScaled) {
    // Each row is one colour; stretching only vertically by 2 must repeat or blend rows, never alter columns.
    Image32 picture = noise(64, 1, 2);
    Image32 out = stretched(picture, 64, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 64; ++x) {
            Bgra p = picture.pixel(x, 0);
            p.a = 255;
            ASSERT_EQ(out.pixel(x, y), p);
        }
}

TEST(StretchCopy, ASolidColourStaysExactlyThatColourAtEverySize) {
    const Bgra colours[] = {{0, 0, 0, 255}, {255, 255, 255, 255}, {1, 2, 3, 255},     {254, 253, 252, 77},
                            {10, 128, 200, 0}, {100, 37, 11, 255}, {12, 13, 188, 255}};
    const int sizes[][4] = {{3840, 2400, 1024, 1024}, {1600, 900, 2048, 2048}, {600, 3000, 1024, 1024},
                            {17, 13, 5, 3},           {5, 3, 17, 13},         {1024, 1024, 1, 1},
                            {1, 1, 64, 64},           {7, 9, 9, 7}};
    for (Bgra c : colours) {
        for (auto& s : sizes) {
            if (s[0] * s[1] > 1000000 && !(c == colours[3])) continue;  // big pictures: one colour is enough
            Image32 picture(s[0], s[1], c);
            Bgra expected = c;
            expected.a = 255;
            expect_all_pixels(stretched(picture, s[2], s[3]), expected);
        }
    }
}

TEST(StretchCopy, ReducingByTwoGivesTheLinearLightMeanOfEachTwoByTwoBlock) {
    Image32 picture = noise(64, 48, 3);
    Image32 out = stretched(picture, 32, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            for (int ch = 0; ch < 3; ++ch) {
                double sum = 0;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx)
                        sum += decode(picture.row(2 * y + dy)[(2 * x + dx) * 4 + ch]);
                const int expected = encode(sum / 4);
                ASSERT_NEAR(out.row(y)[x * 4 + ch], expected, 1) << x << "," << y << " channel " << ch;
            }
}

TEST(StretchCopy, ReducingByAFractionWeighsEachSourcePixelByTheAreaItCovers) {
    // 3 pixels onto 2: the middle one is split half and half, each outer one counts fully on its side.
    Image32 picture(3, 1);
    picture.set_pixel(0, 0, {0, 0, 0, 255});
    picture.set_pixel(1, 0, {255, 255, 255, 255});
    picture.set_pixel(2, 0, {40, 40, 40, 255});
    Image32 out = stretched(picture, 2, 1);
    const int left = encode((decode(0) * 1.0 + decode(255) * 0.5) / 1.5);
    const int right = encode((decode(255) * 0.5 + decode(40) * 1.0) / 1.5);
    EXPECT_NEAR(out.pixel(0, 0).g, left, 1);
    EXPECT_NEAR(out.pixel(1, 0).g, right, 1);
}

TEST(StretchCopy, ABlackAndWhiteCheckerboardReducedByTwoIsTheMidGreyOfLightNotOfCodes) {
    Image32 picture(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) picture.set_pixel(x, y, (x + y) % 2 ? Bgra{255, 255, 255, 255} : Bgra{0, 0, 0, 255});
    expect_all_pixels(stretched(picture, 32, 32), Bgra{188, 188, 188, 255});
}

TEST(StretchCopy, EnlargingBlendsSmoothlyBetweenNeighboursInLinearLight) {
    Image32 picture(2, 1);
    picture.set_pixel(0, 0, {0, 0, 0, 255});
    picture.set_pixel(1, 0, {255, 255, 255, 255});
    Image32 out = stretched(picture, 8, 1);
    // Edge pixels hold the end colours; in between, brightness rises step by step without jumps back.
    EXPECT_EQ(out.pixel(0, 0), (Bgra{0, 0, 0, 255}));
    EXPECT_EQ(out.pixel(7, 0), (Bgra{255, 255, 255, 255}));
    for (int x = 1; x < 8; ++x) EXPECT_GE(out.pixel(x, 0).g, out.pixel(x - 1, 0).g) << x;
    // The centre of destination pixel 3 of 8 lies 37.5 % of the way from the black centre to the white one.
    EXPECT_NEAR(out.pixel(3, 0).g, encode(0.375), 1);
    EXPECT_GT(out.pixel(3, 0).g, 128);  // a blend of codes would be darker
}

TEST(StretchCopy, MixedScalingEnlargesOneAxisAndReducesTheOther) {
    // Left half red, right half blue, 600 x 3000 onto 1024 x 1024: the columns grow, the rows shrink.
    Image32 picture(600, 3000);
    for (int y = 0; y < 3000; ++y)
        for (int x = 0; x < 600; ++x) picture.set_pixel(x, y, x < 300 ? Bgra{0, 0, 255, 255} : Bgra{255, 0, 0, 255});
    Image32 out = stretched(picture, 1024, 1024);
    for (int y : {0, 511, 1023}) {
        EXPECT_EQ(out.pixel(0, y), (Bgra{0, 0, 255, 255}));
        EXPECT_EQ(out.pixel(500, y), (Bgra{0, 0, 255, 255}));
        EXPECT_EQ(out.pixel(524, y), (Bgra{255, 0, 0, 255}));
        EXPECT_EQ(out.pixel(1023, y), (Bgra{255, 0, 0, 255}));
    }
}

TEST(StretchCopy, TheTopRowStaysAtTheTopAndRedStaysInTheThirdByte) {
    Image32 picture(100, 60, {0, 0, 0, 255});
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 10; ++y) picture.set_pixel(x, y, {0, 0, 255, 255});  // a red band on top
    for (auto [w, h] : {std::pair{50, 30}, std::pair{300, 200}, std::pair{40, 120}}) {
        Image32 out = stretched(picture, w, h);
        EXPECT_EQ(out.row(0)[2], 255) << w;  // byte 2 of the first pixel in memory: red
        EXPECT_EQ(out.row(0)[0], 0) << w;
        EXPECT_EQ(out.row(h - 1)[2], 0) << w;
    }
}

TEST(StretchCopy, DrawingIsClippedToTheTargetAndNeverWritesOutsideIt) {
    // A picture wider and taller than the target, placed partly off every edge.
    const Bgra back{9, 9, 9, 9};
    Image32 picture(40, 40, {200, 100, 50, 255});
    for (auto [x, y, w, h] : {std::array{-10, -10, 30, 30}, std::array{15, 15, 30, 30}, std::array{-5, 3, 80, 4},
                              std::array{19, 19, 1, 1}, std::array{20, 0, 5, 5}, std::array{-2147483647, 0, 5, 5},
                              std::array{10, 10, 2147483647, 2147483647}}) {
        Image32 target(20, 20, back);
        const size_t size_before = target.bytes.size();
        morvane::stretch_copy(picture, target, x, y, w, h);
        ASSERT_EQ(target.bytes.size(), size_before);
        for (int ty = 0; ty < 20; ++ty)
            for (int tx = 0; tx < 20; ++tx) {
                const bool inside = tx >= (long long)x && tx < (long long)x + w && ty >= (long long)y &&
                                    ty < (long long)y + h;
                ASSERT_EQ(target.pixel(tx, ty), (inside ? Bgra{200, 100, 50, 255} : back))
                    << tx << "," << ty << " for rect " << x << "," << y << " " << w << "x" << h;
            }
    }
}

TEST(StretchCopy, AClippedDrawShowsTheSamePixelsAsTheUnclippedOne) {
    Image32 picture = noise(30, 20, 4);
    Image32 whole = stretched(picture, 45, 13);
    Image32 part(20, 10, {});
    morvane::stretch_copy(picture, part, -7, -2, 45, 13);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(part.pixel(x, y), whole.pixel(x + 7, y + 2)) << x << "," << y;
}

TEST(StretchCopy, NothingIsDrawnForAnEmptyRectangleOrAnEmptyOrMalformedPicture) {
    const Bgra back{9, 9, 9, 9};
    Image32 picture(4, 4, {1, 1, 1, 255});
    Image32 target(8, 8, back);
    morvane::stretch_copy(picture, target, 0, 0, 0, 5);
    morvane::stretch_copy(picture, target, 0, 0, 5, -3);
    morvane::stretch_copy(Image32{}, target, 0, 0, 5, 5);
    Image32 short_of_bytes(4, 4);
    short_of_bytes.bytes.resize(20);  // claims 4 x 4 but holds five pixels
    morvane::stretch_copy(short_of_bytes, target, 0, 0, 8, 8);
    expect_all_pixels(target, back);
}

TEST(StretchCopy, APictureDrawnOntoItselfIsReadAsItWasBeforeTheDraw) {
    Image32 picture = noise(16, 16, 5);
    Image32 expected = picture;
    morvane::stretch_copy(Image32(picture), expected, 4, 4, 8, 8);
    morvane::stretch_copy(picture, picture, 4, 4, 8, 8);
    EXPECT_EQ(picture.bytes, expected.bytes);
}
