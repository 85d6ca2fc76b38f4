#include "platform/srgb.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Srgb, DecodingFollowsTheStandardCurveAndEveryCodeSurvivesTheRoundTrip) {
    EXPECT_FLOAT_EQ(morvane::srgb_to_linear(255), 1.0f);
    EXPECT_NEAR(morvane::srgb_to_linear(10), 10 / 255.0 / 12.92, 1e-7);  // on the straight toe
    EXPECT_NEAR(morvane::srgb_to_linear(188), 0.5029, 1e-4);            // on the power segment
    for (int code = 0; code < 256; ++code)
        ASSERT_EQ(morvane::linear_to_srgb(morvane::srgb_to_linear(uint8_t(code))), code);
}

TEST(Srgb, EncodingRoundsToTheNearestCodeAndClampsOutsideTheRange) {
    // Dense samples, skipping those within a hair of a rounding boundary, where float input decides.
    for (int i = 0; i <= 200000; ++i) {
        const double linear = i / 200000.0;
        const double e = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
        if (std::abs(e * 255 - std::floor(e * 255) - 0.5) < 1e-3) continue;
        ASSERT_EQ(morvane::linear_to_srgb(float(linear)), int(std::lround(e * 255))) << linear;
    }
    EXPECT_EQ(morvane::linear_to_srgb(-0.5f), 0);
    EXPECT_EQ(morvane::linear_to_srgb(1.5f), 255);
    EXPECT_EQ(morvane::linear_to_srgb(std::nanf("")), 0);
}
