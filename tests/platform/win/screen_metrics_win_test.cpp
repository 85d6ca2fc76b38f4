// The screen's twips-per-pixel ratios, from its dots per inch.
#include "platform/win/screen_metrics.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

// A screen that gives no dots per inch counts as 96.
TEST(ScreenTwipsPerPixel, AreFifteenAt96DotsPerInchAndTwelveAt120) {
    EXPECT_EQ(twips_per_pixel_at(96, 96), (TwipsPerPixel{15, 15}));
    EXPECT_EQ(twips_per_pixel_at(120, 144), (TwipsPerPixel{12, 10}));
    EXPECT_EQ(twips_per_pixel_at(0, -5), (TwipsPerPixel{15, 15}));
}

TEST(ScreenTwipsPerPixel, ComeFromTheScreensOwnDotsPerInch) {
    HDC screen = GetDC(nullptr);
    const int dpi_x = GetDeviceCaps(screen, LOGPIXELSX), dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_GT(dpi_x, 0);
    EXPECT_DOUBLE_EQ(screen_twips_per_pixel().x, 1440.0 / dpi_x);
    EXPECT_DOUBLE_EQ(screen_twips_per_pixel().y, 1440.0 / dpi_y);
}

}  // namespace
}  // namespace morvane::testing
