// Reflectivity: the mean of red, green and blue decoded with the 2.2 power, summed per image and then
// divided by the number of images.
#include "dxt/dxt_squish.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

std::vector<uint8_t> solid_bgra(int w, int h, uint8_t b, uint8_t g, uint8_t r, uint8_t a = 255) {
    std::vector<uint8_t> px(size_t(w) * size_t(h) * 4);
    for (size_t i = 0; i < px.size(); i += 4) {
        px[i] = b; px[i + 1] = g; px[i + 2] = r; px[i + 3] = a;
    }
    return px;
}

double decoded(int v) { return std::pow(v / 255.0, 2.2); }

TEST(DxtContractReflectivity, ASolidColourGivesItsDecodedChannelsInTheOrderRedGreenBlue) {
    const auto px = solid_bgra(8, 4, /*b*/ 50, /*g*/ 100, /*r*/ 200);
    float v[3] = {0, 0, 0};
    Compute_Image_Reflectivity(px.data(), 8, 4, v, kDxtFlagsBestQuality);
    Create_Reflectivity(1, 1, 1, v, kDxtFlagsBestQuality);
    EXPECT_NEAR(v[0], decoded(200), 1e-6);
    EXPECT_NEAR(v[1], decoded(100), 1e-6);
    EXPECT_NEAR(v[2], decoded(50), 1e-6);
}

TEST(DxtContractReflectivity, TheMeanWeighsEveryPixelAlike) {
    // Left half white, right half black: half of white's decoded value in every channel.
    std::vector<uint8_t> px = solid_bgra(4, 2, 0, 0, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            for (int c = 0; c < 3; ++c) px[size_t(4 * (y * 4 + x) + c)] = 255;
    float v[3] = {0, 0, 0};
    Compute_Image_Reflectivity(px.data(), 4, 2, v, kDxtFlagsBestQuality);
    for (float c : v) EXPECT_NEAR(c, 0.5, 1e-6);
}

TEST(DxtContractReflectivity, EachImageAddsToTheVectorAndCreateDividesByTheImageCount) {
    const auto red = solid_bgra(4, 4, 0, 0, 255);
    const auto blue = solid_bgra(4, 4, 255, 0, 0);
    float v[3] = {0, 0, 0};
    Compute_Image_Reflectivity(red.data(), 4, 4, v, kDxtFlagsBestQuality);
    Compute_Image_Reflectivity(blue.data(), 4, 4, v, kDxtFlagsBestQuality);
    EXPECT_NEAR(v[0], 1.0, 1e-6);
    EXPECT_NEAR(v[2], 1.0, 1e-6);
    Create_Reflectivity(2, 1, 1, v, kDxtFlagsBestQuality);
    EXPECT_NEAR(v[0], 0.5, 1e-6);
    EXPECT_NEAR(v[1], 0.0, 1e-6);
    EXPECT_NEAR(v[2], 0.5, 1e-6);
}

TEST(DxtContractReflectivity, ZeroImagesOrAnEmptyImageLeaveTheVectorAsItIs) {
    float v[3] = {0.25f, 0.5f, 0.75f};
    Create_Reflectivity(0, 1, 1, v, kDxtFlagsBestQuality);
    Create_Reflectivity(1, 0, 1, v, kDxtFlagsBestQuality);
    const uint8_t one_pixel[4] = {9, 9, 9, 9};
    Compute_Image_Reflectivity(one_pixel, 0, 0, v, kDxtFlagsBestQuality);
    EXPECT_FLOAT_EQ(v[0], 0.25f);
    EXPECT_FLOAT_EQ(v[1], 0.5f);
    EXPECT_FLOAT_EQ(v[2], 0.75f);
}

TEST(DxtContractReflectivity, WithoutTheGammaBitValuesCountLinearly) {
    const auto px = solid_bgra(2, 2, 51, 102, 204);
    float v[3] = {0, 0, 0};
    Compute_Image_Reflectivity(px.data(), 2, 2, v, kDxtFlagsBestQuality & ~kDxtGammaReflectivity);
    EXPECT_NEAR(v[0], 0.8, 1e-6);
    EXPECT_NEAR(v[1], 0.4, 1e-6);
    EXPECT_NEAR(v[2], 0.2, 1e-6);
}

}  // namespace
