// Text through GDI onto the controls' pixels: measured in the layouts' fonts, drawn only inside its clip,
// opaque, in its colour.
#include "controls/win/gdi_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace morvane::controls {
namespace {

const FontSpec kTitle{"Tahoma", 8.25, 700, false, false};

// A label's box 20 pixels high from (x, y), the line centred in it.
PixelRect line_at(int x, int y) { return PixelRect{x, y, 200, 20}; }
const FontSpec kCaption{"Tahoma", 9.75, 400, false, false};

int screen_dots_per_inch() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

TEST(GdiTextFonts, AreAsTallAsTheirPointSizeAtTheScreensDotsPerInch) {
    ASSERT_EQ(screen_dots_per_inch(), 96);
    GdiTextService text;
    EXPECT_EQ(text.logical_height(kTitle), -11);    // 8.25 pt
    EXPECT_EQ(text.logical_height(FontSpec{"Tahoma", 9}), -12);
    EXPECT_EQ(text.logical_height(kCaption), -13);  // 9.75 pt
}

TEST(GdiTextMeasure, AnEmptyLineIsNoWidthButOneLineHigh) {
    GdiTextService text;
    const TextExtent empty = text.measure(kCaption, "");
    EXPECT_EQ(empty.width, 0);
    EXPECT_GE(empty.height, 13);
    EXPECT_EQ(text.measure(kCaption, "Load Picture").height, empty.height);
}

TEST(GdiTextMeasure, WidthGrowsWithTheTextAndWithBoldness) {
    GdiTextService text;
    const int one = text.measure(kCaption, "Load").width;
    const int two = text.measure(kCaption, "Load Picture").width;
    EXPECT_GT(one, 0);
    EXPECT_GT(two, one);
    FontSpec bold = kCaption;
    bold.weight = 700;
    EXPECT_GT(text.measure(bold, "Load Picture").width, two);
    FontSpec larger = kCaption;
    larger.points = 20;
    EXPECT_GT(text.measure(larger, "Load Picture").height, text.measure(kCaption, "Load Picture").height);
}

struct GdiTextDraw : ::testing::Test {
    Image32 picture{80, 24, Bgra{0x64, 0x64, 0x64, 255}};
    GdiTextService text;
};

TEST_F(GdiTextDraw, PaintsTheTextInItsColourAndLeavesEveryPixelOpaque) {
    Image32 black(80, 24, Bgra{0, 0, 0, 255});
    text.draw(black, PixelRect{0, 0, 80, 24}, kTitle, "MORVANE", line_at(2, 2), 0x0000FF);  // red
    int red_pixels = 0, full_red = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) {
            const Bgra p = black.pixel(x, y);
            ASSERT_EQ(p.a, 255) << x << "," << y;
            EXPECT_EQ(p.g, 0);
            EXPECT_EQ(p.b, 0);
            red_pixels += p.r > 0;
            full_red += p.r == 255;
        }
    EXPECT_GT(red_pixels, 40);
    EXPECT_GT(full_red, 10) << "the stems of the capitals are solid";
}

TEST_F(GdiTextDraw, TouchesNothingOutsideItsClip) {
    const Image32 before = picture;
    text.draw(picture, PixelRect{10, 0, 30, 24}, kCaption, "Make Background", line_at(0, 4), 0xFFFFFF);
    int changed_inside = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) {
            const bool inside = x >= 10 && x < 40;
            if (!inside) ASSERT_EQ(picture.pixel(x, y), before.pixel(x, y)) << x << "," << y;
            else changed_inside += !(picture.pixel(x, y) == before.pixel(x, y));
        }
    EXPECT_GT(changed_inside, 0);
}

TEST_F(GdiTextDraw, TextPartlyOffThePictureDrawsWhatLiesOnIt) {
    Image32 small(12, 8, Bgra{0, 0, 0, 255});
    text.draw(small, PixelRect{-100, -100, 1000, 1000}, kCaption, "Make Background", line_at(-20, 2), 0xFFFFFF);
    int lit = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) lit += small.pixel(x, y).r > 0;
    EXPECT_GT(lit, 0);
    text.draw(small, PixelRect{0, 0, 12, 8}, kCaption, "Far away", line_at(500, 500), 0xFFFFFF);  // nothing to draw
    Image32 empty;
    text.draw(empty, PixelRect{0, 0, 10, 10}, kCaption, "Nothing", line_at(0, 0), 0xFFFFFF);
}

TEST_F(GdiTextDraw, ALineIsCentredInTheHeightOfItsLabel) {
    Image32 black(80, 60, Bgra{0, 0, 0, 255});
    const int h = text.measure(kCaption, "Ly").height;
    text.draw(black, PixelRect{0, 0, 80, 60}, kCaption, "Ly", PixelRect{0, 10, 80, h + 20}, 0xFFFFFF);
    int top = 60, bottom = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            if (black.pixel(x, y).r > 0) top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_GE(top, 20);
    EXPECT_LT(bottom, 20 + h);
}

TEST_F(GdiTextDraw, DrawsWhereMeasuredSoCentringByTheMeasureCentresTheInk) {
    Image32 black(120, 24, Bgra{0, 0, 0, 255});
    const TextExtent extent = text.measure(kCaption, "Load Picture");
    const int left = (120 - extent.width) / 2;
    text.draw(black, PixelRect{0, 0, 120, 24}, kCaption, "Load Picture", line_at(left, 0), 0xFFFFFF);
    int first = 120, last = -1;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 120; ++x)
            if (black.pixel(x, y).r > 0) first = std::min(first, x), last = std::max(last, x);
    ASSERT_GE(last, first);
    EXPECT_NEAR(first, left, 2);
    EXPECT_NEAR(last + 1, left + extent.width, 3);
}

// The families the system reports, to test against without assuming which fonts a machine has.
std::wstring some_installed_family() {
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW any{};
    any.lfCharSet = DEFAULT_CHARSET;
    std::wstring found;
    EnumFontFamiliesExW(
        dc, &any,
        [](const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM out) {
            if ((type & TRUETYPE_FONTTYPE) == 0 || font->lfFaceName[0] == L'@') return 1;
            *reinterpret_cast<std::wstring*>(out) = font->lfFaceName;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    DeleteDC(dc);
    return found;
}

TEST(GdiTextFamilies, AFamilyTheSystemHasIsReportedAndAMadeUpOneIsNot) {
    GdiTextService text;
    const std::wstring installed = some_installed_family();
    ASSERT_FALSE(installed.empty());
    const std::string name(installed.begin(), installed.end());  // system font names here are ASCII
    EXPECT_TRUE(text.has_family(name)) << name;
    EXPECT_FALSE(text.has_family("Morvane Symbols That Do Not Exist"));
    EXPECT_FALSE(text.has_family(""));
}

}  // namespace
}  // namespace morvane::controls
