// The plain labels: lines one below the other, centred or not, and long lines shortened in the middle.
#include "controls/core/label_face.h"
#include "tests/support/box_text.h"

#include <gtest/gtest.h>

namespace morvane::controls {
namespace {

using testing::BoxText;
using testing::colour_at;

TEST(LabelFace, ALongLineIsShortenedInTheMiddleToTheWidthNeverSplittingACharacterAndAShortOneIsKept) {
    BoxText text;  // 6 pixels a character
    const FontSpec font;
    EXPECT_EQ(elide_middle("console", 60, font, text), "console");
    EXPECT_EQ(elide_middle("C:\\Program Files\\Steam\\console", 60, font, text), "C:\\P...ole");
    EXPECT_EQ(elide_middle("\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC", 30, font, text), "\xC3\xBC...\xC3\xBC");
}

TEST(LabelFace, LinesStandOneBelowTheOtherAndACentredLineIsCentredInItsBox) {
    BoxText text;
    LabelFace face = label_from_settings(Settings{{"caption", "ab\nc"}, {"forecolor", 0xFFFFFFu},
                                                  {"fontsize", 9.0}, {"alignment", "center"}});
    Image32 surface(60, 40);
    paint_label(surface, face, PixelRect{0, 0, 60, 40}, text);
    EXPECT_EQ(colour_at(surface, 24, 0), 0xFFFFFFu) << "\"ab\" is 12 pixels wide, centred at 24";
    EXPECT_EQ(colour_at(surface, 23, 0), 0x000000u);
    EXPECT_EQ(colour_at(surface, 27, 12), 0xFFFFFFu) << "\"c\" on the second line, 12 pixels down";
}

}  // namespace
}  // namespace morvane::controls
