// Text through GDI onto the controls' pixels: measured in the layouts' fonts, drawn only inside its clip,
// opaque, in its colour, where it was measured.
#include "controls/win/gdi_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace morvane::controls {
namespace {

const FontSpec kTitle{"Tahoma", 8.25, 700, false, false};
const FontSpec kCaption{"Tahoma", 9.75, 400, false, false};

// A label's box 20 pixels high from (x, y), the line centred in it.
PixelRect line_at(int x, int y) { return PixelRect{x, y, 200, 20}; }

// The rectangle of lit (red) pixels of a picture drawn on black.
PixelRect ink_of(const Image32& picture) {
    int left = picture.width, top = picture.height, right = -1, bottom = -1;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (picture.pixel(x, y).r > 0)
                left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
    return PixelRect{left, top, right - left + 1, bottom - top + 1};
}

TEST(GdiText, FontsAreAsTallAsTheirPointsAndWidthsGrowWithTextAndBoldness) {
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);
    GdiTextService text;
    EXPECT_EQ(text.logical_height(kTitle), -11);  // 8.25 pt
    EXPECT_EQ(text.logical_height(FontSpec{"Tahoma", 9}), -12);
    EXPECT_EQ(text.logical_height(kCaption), -13);  // 9.75 pt
    const TextExtent empty = text.measure(kCaption, "");
    EXPECT_EQ(empty.width, 0);
    EXPECT_GE(empty.height, 13) << "an empty line is still one line high";
    const int one = text.measure(kCaption, "Load").width, two = text.measure(kCaption, "Load Picture").width;
    EXPECT_GT(one, 0);
    EXPECT_GT(two, one);
    EXPECT_EQ(text.measure(kCaption, "Load Picture").height, empty.height);
    FontSpec bold = kCaption, larger = kCaption;
    bold.weight = 700;
    larger.points = 20;
    EXPECT_GT(text.measure(bold, "Load Picture").width, two);
    EXPECT_GT(text.measure(larger, "Load Picture").height, empty.height);
    EXPECT_FALSE(text.has_family("Morvane Symbols That Do Not Exist"));
    EXPECT_FALSE(text.has_family(""));
}

TEST(GdiText, DrawsOpaqueInItsColourOnlyInsideItsClipAndOnlyWhatLiesOnThePicture) {
    GdiTextService text;
    Image32 black(80, 24, Bgra{0, 0, 0, 255});
    text.draw(black, PixelRect{0, 0, 80, 24}, kTitle, "MORVANE", line_at(2, 2), 0x0000FF);  // red
    int full_red = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) {
            const Bgra p = black.pixel(x, y);
            ASSERT_EQ(p.a, 255) << x << "," << y;
            ASSERT_EQ(p.g + p.b, 0);
            full_red += p.r == 255;
        }
    EXPECT_GT(full_red, 10) << "the stems of the capitals are solid";

    Image32 clipped(80, 24, Bgra{0, 0, 0, 255});
    text.draw(clipped, PixelRect{10, 0, 30, 24}, kCaption, "Make Background", line_at(0, 4), 0xFFFFFF);
    const PixelRect ink = ink_of(clipped);
    EXPECT_GE(ink.x, 10);
    EXPECT_LE(ink.x + ink.width, 40);

    Image32 small(12, 8, Bgra{0, 0, 0, 255});
    text.draw(small, PixelRect{-100, -100, 1000, 1000}, kCaption, "Make Background", line_at(-20, 2), 0xFFFFFF);
    EXPECT_GT(ink_of(small).width, 0) << "what lies on the picture is drawn";
    text.draw(small, PixelRect{0, 0, 12, 8}, kCaption, "Far away", line_at(500, 500), 0xFFFFFF);
    Image32 empty;
    text.draw(empty, PixelRect{0, 0, 10, 10}, kCaption, "Nothing", line_at(0, 0), 0xFFFFFF);
}

TEST(GdiText, DrawsWhereMeasuredSoThatCentringByTheMeasureCentresTheInk) {
    GdiTextService text;
    Image32 black(120, 60, Bgra{0, 0, 0, 255});
    const TextExtent extent = text.measure(kCaption, "Load Picture");
    const int left = (120 - extent.width) / 2;
    text.draw(black, PixelRect{0, 0, 120, 60}, kCaption, "Load Picture", PixelRect{left, 10, 200, extent.height + 20},
              0xFFFFFF);
    const PixelRect ink = ink_of(black);
    EXPECT_NEAR(ink.x, left, 2);
    EXPECT_NEAR(ink.x + ink.width, left + extent.width, 3);
    EXPECT_GE(ink.y, 20) << "the line is centred in the height of its label";
    EXPECT_LE(ink.y + ink.height, 20 + extent.height);
}

}  // namespace
}  // namespace morvane::controls
