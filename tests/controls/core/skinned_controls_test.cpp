// The four controls as objects: their setters' notifications, their events, the blend and the size rule.
#include "controls/core/elboton.h"
#include "controls/core/elcombo.h"
#include "controls/core/elframe.h"
#include "controls/core/elprogress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane::controls {
namespace {


TEST(SkinnedControls, EverySetterTellsTheWindowItsKeyOnceAndAFontChangeIsOneNotification) {
    elboton button;
    std::vector<std::string> heard;
    button.events.Changed = [&](const std::string& key) { heard.push_back(key); };
    button.set_Caption("Make Background");
    button.set_property("centercaption", true);  // any case, told as declared
    button.set_Font(FontSpec{"Tahoma", 9.75, 700, false, false});
    EXPECT_FALSE(button.set_property("Picture", 1)) << "no such property";
    EXPECT_EQ(heard, (std::vector<std::string>{"Caption", "CenterCaption", "Font"}));
    EXPECT_EQ(button.Font().weight, 700);
    EXPECT_TRUE(button.CenterCaption());
}

TEST(SkinnedControls, AButtonRaisesItsMouseEventsMovesOverItsCaptionOnlyAndClicksOnlyWhenEnabled) {
    elboton button;
    const CaptionPlace caption{.x = 6, .y = 3, .extent = {40, 16, 16}};
    std::vector<std::string> heard;
    button.events.MouseDown = [&](const MouseArgs& a) { heard.push_back("down " + std::to_string(a.button)); };
    button.events.MouseMove = [&](const MouseArgs& a) { heard.push_back("move " + std::to_string(int(a.x))); };
    button.events.MouseUp = [&](const MouseArgs&) { heard.push_back("up"); };
    button.events.Click = [&] { heard.push_back("click"); };
    button.mouse_move({0, 0, 80, 10}, caption);  // beside the caption: nothing
    button.mouse_move({0, 0, 10, 10}, caption);
    button.mouse_down({2, 0, 70, 10}, caption);  // the right button, beside the caption
    button.mouse_up({2, 0, 70, 10});
    button.mouse_down({1, 0, 10, 10}, caption);  // pressed on the caption: its moves are heard anywhere
    button.mouse_move({1, 0, 90, 10}, caption);
    button.mouse_up({1, 0, 90, 10});
    button.click();
    button.set_Enabled(false);
    button.click();
    EXPECT_EQ(heard, (std::vector<std::string>{"move 10", "down 2", "up", "down 1", "move 90", "up", "click"}));
    button.state.held = true;
    EXPECT_EQ(button.Color3DLight(), 0x80000008u) << "held down, the edge shows swapped";
}

TEST(SkinnedControls, AComboClicksOncePerChangeOfItsChoiceAndShowsEachChangeOfItsList) {
    elcombo combo;
    int clicks = 0, shown = 0;
    combo.events.Click = [&] { ++clicks; };
    combo.on_entries_changed = [&] { ++shown; };
    combo.AddItem("1024 x 1024");
    combo.AddItem("2048 x 2048");
    combo.SetListIndex(1);
    combo.SetListIndex(1);
    combo.SetListIndex(5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(combo.GetList(combo.GetListIndex()), "2048 x 2048");
}

TEST(SkinnedControls, TheBlendIsRefusedOutside0To255AndOnlyTheBarKeepsItThroughANewBackColor) {
    const Image32 picture(600, 500, Bgra{10, 20, 30, 255});  // larger than both controls
    elframe frame;
    elprogress bar;
    EXPECT_FALSE(frame.obtener_imagen_fondo(picture, 0, 0, 256).ok);
    EXPECT_EQ(frame.blend(), nullptr) << "left as it was";
    ASSERT_TRUE(frame.obtener_imagen_fondo(picture, 0, 0, 255).ok);
    ASSERT_TRUE(bar.obtener_imagen_fondo(picture, 0, 0, 128).ok);
    ASSERT_NE(frame.blend(), nullptr);
    EXPECT_EQ(frame.blend()->rect.x, 1) << "inside the one-pixel edge";
    frame.set_BackColor(0x112233);
    bar.set_BackColor(0x112233);
    EXPECT_EQ(frame.blend(), nullptr);
    EXPECT_NE(bar.blend(), nullptr);
}

TEST(SkinnedControls, EachKeepsItsSizeRule) {
    elboton button;
    elcombo combo;
    elframe frame;
    button.set_size_twips(100, 900);
    combo.set_size_twips(100, 900);
    frame.set_size_twips(100, 900);
    EXPECT_EQ(button.size_twips().width, 500);
    EXPECT_EQ(button.size_twips().height, 360);
    EXPECT_EQ(combo.size_twips().width, 1425);
    EXPECT_EQ(combo.size_twips().height, 300);
    EXPECT_EQ(frame.size_twips().height, 900) << "a frame has no rule";
}

}  // namespace
}  // namespace morvane::controls
