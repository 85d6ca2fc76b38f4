#include "platform/srgb.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
double encode_exact(double linear) {
    const double e = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    return e * 255.0;
}
}  // namespace

TEST(Srgb, EveryCodeSurvivesTheRoundTripThroughLinearLight) {
    for (int code = 0; code < 256; ++code)
        ASSERT_EQ(morvane::linear_to_srgb(morvane::srgb_to_linear(uint8_t(code))), code);
}

TEST(Srgb, DecodingFollowsTheStandardCurve) {
    EXPECT_FLOAT_EQ(morvane::srgb_to_linear(0), 0.0f);
    EXPECT_FLOAT_EQ(morvane::srgb_to_linear(255), 1.0f);
    EXPECT_NEAR(morvane::srgb_to_linear(10), 10 / 255.0 / 12.92, 1e-7);         // on the straight toe
    EXPECT_NEAR(morvane::srgb_to_linear(188), 0.5029, 1e-4);                   // on the power segment
}

TEST(Srgb, EncodingRoundsToTheNearestCodeAcrossTheWholeRange) {
    // Dense samples, skipping those within a hair of a rounding boundary, where float input decides.
    for (int i = 0; i <= 200000; ++i) {
        const double linear = i / 200000.0;
        const double exact = encode_exact(linear);
        if (std::abs(exact - std::floor(exact) - 0.5) < 1e-3) continue;
        ASSERT_EQ(morvane::linear_to_srgb(float(linear)), int(std::lround(exact))) << linear;
    }
}

TEST(Srgb, ValuesOutsideTheRangeClampToBlackAndWhite) {
    EXPECT_EQ(morvane::linear_to_srgb(-0.5f), 0);
    EXPECT_EQ(morvane::linear_to_srgb(1.5f), 255);
    EXPECT_EQ(morvane::linear_to_srgb(std::nanf("")), 0);
}
