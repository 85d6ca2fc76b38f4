// The push button as pixels: its raised edge, the pressed look, where its caption stands and its focus mark.
#include "controls/core/button_face.h"
#include "tests/support/box_text.h"

#include <gtest/gtest.h>

namespace morvane::controls {
namespace {

using testing::BoxText;
using testing::colour_at;

constexpr TwipsPerPixel k96Dpi{15, 15};
constexpr uint32_t kLight = 0x95AAA0, kBlack = 0x000000, kBack = 0x44584C;

Image32 painted(const ButtonFace& face, ButtonState state, double width_twips, BoxText& text) {
    const SurfaceSize size = surface_size(apply_size_rule(kButtonSizeRule, {width_twips, 100}), k96Dpi);
    Image32 surface(size.width, size.height);
    paint_button(surface, face, state, width_twips, k96Dpi, text);
    return surface;
}

TEST(ButtonFace, AtRestIsRaisedWithTheLightEdgeTopAndLeftAndTheDarkOneRightAndBottom) {
    BoxText text;
    const Image32 b = painted(ButtonFace{}, {}, 1500, text);  // 100 x 24 pixels
    ASSERT_EQ(b.width, 100);
    ASSERT_EQ(b.height, 24);
    EXPECT_EQ(colour_at(b, 50, 0), kLight);
    EXPECT_EQ(colour_at(b, 0, 12), kLight);
    EXPECT_EQ(colour_at(b, 99, 12), kBlack);  // the system window-text colour
    EXPECT_EQ(colour_at(b, 50, 23), kBlack);
    EXPECT_EQ(colour_at(b, 99, 0), kBlack) << "the corner the pairs share takes the bottom-right pair's colour";
    EXPECT_EQ(colour_at(b, 0, 23), kLight) << "the bottom line starts one pixel in";
    EXPECT_EQ(colour_at(b, 2, 12), kBack);
    const Image32 held = painted(ButtonFace{}, ButtonState{.held = true}, 1500, text);
    EXPECT_EQ(colour_at(held, 50, 0), kBlack) << "held down, the edge colours swap";
    EXPECT_EQ(colour_at(held, 99, 12), kLight);
}

TEST(ButtonFace, ACentredCaptionFortyPixelsWideStandsAtThirtyOnAHundredPixelButton) {
    BoxText text;
    text.char_width = 5;
    ButtonFace face;
    face.caption = "12345678";  // 40 pixels
    face.center_caption = true;
    EXPECT_EQ(place_caption(face, 1500, k96Dpi, 24, text).x, 30);
    face.center_caption = false;
    const CaptionPlace left = place_caption(face, 1500, k96Dpi, 24, text);
    EXPECT_EQ(left.x, 6);
    EXPECT_EQ(left.shadow_x, 7);
}

TEST(ButtonFace, ACaptionSixteenPixelsHighIsCentredAtRowFourButOneAsHighAsTheButtonStaysAtRowThree) {
    BoxText text;
    ButtonFace face;
    face.font.points = 12;  // 16 pixels
    const CaptionPlace fits = place_caption(face, 1500, k96Dpi, 24, text);
    EXPECT_EQ(fits.y, 4);
    EXPECT_EQ(fits.shadow_y, 5);
    face.font.points = 18;  // 24 pixels
    EXPECT_EQ(place_caption(face, 1500, k96Dpi, 24, text).y, 3);
}

TEST(ButtonFace, TheCaptionIsDrawnInForeColorAboveItsBlackShadowAndBelowTheEdge) {
    BoxText text;
    ButtonFace face;
    face.caption = "M";
    face.fore = 0x00FF00;
    face.drop_shadow = true;
    face.font.points = 12;  // 16 pixels high, at (6, 4); the shadow at (7, 5)
    const Image32 b = painted(face, {}, 1500, text);
    EXPECT_EQ(colour_at(b, 6, 4), 0x00FF00u);
    EXPECT_EQ(colour_at(b, 11, 5), kBlack) << "the shadow shows right of the caption";
    face.drop_shadow = false;
    EXPECT_EQ(colour_at(painted(face, {}, 1500, text), 11, 5), kBack);
}

TEST(ButtonFace, TheFocusMarkIsADottedRectangleTwoPixelsInsideTheEdgeInTheLightColour) {
    BoxText text;
    ButtonFace face;
    face.caption = "";
    const Image32 shown = painted(face, ButtonState{.focus_mark = true}, 1500, text);
    EXPECT_EQ(colour_at(shown, 2, 2), kLight);
    EXPECT_EQ(colour_at(shown, 3, 2), kBack) << "every other pixel";
    EXPECT_EQ(colour_at(shown, 97, 21), kLight);
    EXPECT_EQ(colour_at(painted(face, {}, 1500, text), 2, 2), kBack);
}

}  // namespace
}  // namespace morvane::controls
