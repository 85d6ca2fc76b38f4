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
    GdiTextService text;
    EXPECT_EQ(text.logical_height(kTitle), -11);  // 8.25 pt at 96 dots per inch
    EXPECT_EQ(text.logical_height(kCaption), -13);
    const TextExtent empty = text.measure(kCaption, ""), two = text.measure(kCaption, "Load Picture");
    EXPECT_EQ(empty.width, 0);
    EXPECT_GE(empty.height, 13) << "an empty line is still one line high";
    EXPECT_GT(two.width, text.measure(kCaption, "Load").width);
    EXPECT_EQ(two.height, empty.height);
    FontSpec bold = kCaption;
    bold.weight = 700;
    EXPECT_GT(text.measure(bold, "Load Picture").width, two.width);
    EXPECT_FALSE(text.has_family("Morvane Symbols That Do Not Exist"));
}

TEST(GdiText, DrawsOpaqueInItsColourOnlyInsideItsClipWhereMeasured) {
    GdiTextService text;
    Image32 black(80, 24, Bgra{0, 0, 0, 255});
    text.draw(black, PixelRect{0, 0, 80, 24}, kTitle, "MORVANE", PixelRect{2, 2, 200, 20}, 0x0000FF);  // red
    int full_red = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) {
            const Bgra p = black.pixel(x, y);
            ASSERT_TRUE(p.a == 255 && p.g == 0 && p.b == 0) << x << "," << y;
            full_red += p.r == 255;
        }
    EXPECT_GT(full_red, 10) << "the stems of the capitals are solid";

    Image32 clipped(80, 24, Bgra{0, 0, 0, 255});
    text.draw(clipped, PixelRect{10, 0, 30, 24}, kCaption, "Make Background", PixelRect{0, 4, 200, 20}, 0xFFFFFF);
    EXPECT_GE(ink_of(clipped).x, 10);
    EXPECT_LE(ink_of(clipped).x + ink_of(clipped).width, 40);
    Image32 small(12, 8, Bgra{0, 0, 0, 255});
    text.draw(small, PixelRect{-100, -100, 1000, 1000}, kCaption, "Make Background", PixelRect{-20, 2, 200, 20}, 0xFFFFFF);
    EXPECT_GT(ink_of(small).width, 0) << "what lies on the picture is drawn";

    // Centred by its measure, the ink is centred, in the height of its label too.
    Image32 centred(120, 60, Bgra{0, 0, 0, 255});
    const TextExtent extent = text.measure(kCaption, "Load Picture");
    const int left = (120 - extent.width) / 2;
    text.draw(centred, PixelRect{0, 0, 120, 60}, kCaption, "Load Picture", PixelRect{left, 10, 200, extent.height + 20}, 0xFFFFFF);
    const PixelRect ink = ink_of(centred);
    EXPECT_NEAR(ink.x, left, 2);
    EXPECT_NEAR(ink.x + ink.width, left + extent.width, 3);
    EXPECT_GE(ink.y, 20);
    EXPECT_LE(ink.y + ink.height, 20 + extent.height);
}

}  // namespace
}  // namespace morvane::controls
