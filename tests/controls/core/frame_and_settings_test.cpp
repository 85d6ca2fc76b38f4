// The frame's edge on screens of any ratio, and the stored settings every control reads and writes.
#include "controls/core/button_face.h"
#include "controls/core/frame_face.h"
#include "controls/core/progress_face.h"
#include "tests/support/box_text.h"

#include <gtest/gtest.h>

namespace morvane::controls {
namespace {

using testing::colour_at;

// Dark on top and left, light on the right and bottom, which cover the corners they share, on the last column
// and row whatever the screen's ratios.
TEST(FrameFace, TheSunkenEdgeFollowsTheLastColumnAndRowOnEqualAndUnequalRatios) {
    const FrameFace face{0x101010, true, 0x00FF00, 0x0000FF};
    for (const TwipsPerPixel ratios : {TwipsPerPixel{15, 15}, TwipsPerPixel{10, 15}}) {
        const int width = int(3000 / ratios.x), height = 100;
        Image32 frame(width, height);
        paint_frame_fill(frame, face);
        paint_frame_edge(frame, face, 3000, 1500, ratios);
        const struct {
            int x, y;
            uint32_t colour;
        } expected[] = {{width / 2, 0, 0x0000FF}, {0, 50, 0x0000FF},          {width - 1, 50, 0x00FF00},
                        {width / 2, 99, 0x00FF00}, {width - 2, 98, 0x101010}, {0, 99, 0x00FF00},
                        {width - 1, 0, 0x00FF00}};
        for (const auto& e : expected) EXPECT_EQ(colour_at(frame, e.x, e.y), e.colour) << e.x << "," << e.y;
    }
}

TEST(ControlSettings, KeysStoredInLowerCaseApplyAsTheirPropertiesAndDefaultsAreNotWrittenBack) {
    ButtonFace face;
    read_settings(face, button_properties(),
                  Settings{{"centercaption", true}, {"caption", "Load Picture"}, {"backcolor", 0x646464u}},
                  FontSpec{"Tahoma", 9.75});
    EXPECT_TRUE(face.center_caption);
    EXPECT_EQ(face.caption, "Load Picture");
    EXPECT_EQ(face.back, 0x646464u);
    EXPECT_EQ(face.font.family, "Tahoma") << "the window's font is the default";
    EXPECT_EQ(face.dark, 0x80000008u);

    Settings written;
    write_settings(face, button_properties(), written, FontSpec{"Tahoma", 9.75});
    EXPECT_EQ(written.pairs().size(), 3u);
    EXPECT_FALSE(written.contains("ForeColor"));
    ButtonFace again;
    read_settings(again, button_properties(), written, FontSpec{"Tahoma", 9.75});
    EXPECT_EQ(again.caption, face.caption);
    EXPECT_EQ(again.back, face.back);
}

TEST(ControlSettings, ColoursReadTheSameFromNumbersSignedNumbersAndHexadecimalText) {
    for (const SettingValue& stored : {SettingValue(0x80000008u), SettingValue(int64_t(int32_t(0x80000008u))),
                                      SettingValue("0x80000008")}) {
        ProgressFace face;
        read_settings(face, progress_properties(), Settings{{"Color3DDark", stored}}, FontSpec{});
        EXPECT_EQ(face.dark, 0x80000008u) << stored.as_text();
    }
}

TEST(ControlSettings, SettingAPropertyByNameFindsItInAnyCaseAndRefusesUnknownKeys) {
    ProgressFace face;
    EXPECT_TRUE(set_property(face, progress_properties(), "VALUE", 7));
    EXPECT_EQ(face.value, 7);
    EXPECT_FALSE(set_property(face, progress_properties(), "Caption", "x"));
}

}  // namespace
}  // namespace morvane::controls
