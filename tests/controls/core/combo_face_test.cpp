// The combo box's list rules and the pixels of the main window's 185 by 20 pixel resolution list.
#include "controls/core/combo_face.h"
#include "tests/support/box_text.h"

#include <gtest/gtest.h>

namespace morvane::controls {
namespace {

using testing::BoxText;
using testing::colour_at;

constexpr TwipsPerPixel k96Dpi{15, 15};
using Entries = std::vector<std::string>;

TEST(ComboList, PositionsOutsideTheListChangeNothingAndTheSelectionFollowsItsEntry) {
    ComboList list;
    list.RemoveItem(0);
    list.SetList(0, "x");
    EXPECT_FALSE(list.SetListIndex(0)) << "an empty list has nothing to select";
    EXPECT_EQ(list.GetList(0), "");
    for (const char* item : {"a", "b", "c"}) list.AddItem(item);
    EXPECT_EQ(list.GetListIndex(), -1) << "adding selects nothing";
    EXPECT_FALSE(list.SetListIndex(3));
    EXPECT_FALSE(list.SetListIndex(-1));
    EXPECT_TRUE(list.SetListIndex(2));
    EXPECT_FALSE(list.SetListIndex(2)) << "no Click for the entry already chosen";
    list.RemoveItem(3);
    list.RemoveItem(-1);
    list.RemoveItem(0);
    EXPECT_EQ(list.entries(), (Entries{"b", "c"}));
    EXPECT_EQ(list.shown_text(), "c") << "the selection moves up with its entry";
    list.SetList(0, "B");
    list.RemoveItem(1);
    EXPECT_EQ(list.entries(), (Entries{"B"}));
    EXPECT_EQ(list.GetListIndex(), -1) << "its entry gone, nothing is selected";
}

// 2775 twips wide: the symbol box stands at (2775 - 280) / 15 - 2 = 164.3, pixel 164, and spans columns 164 to
// 183 from a row above the control; the triangle inside it spans columns 165 to 182.
TEST(ComboFace, TheResolutionListShowsItsTextTriangleAndSunkenEdgeWhereTheyBelong) {
    ComboFace face;
    face.fore = 0xFFFFFF, face.back = 0x000000, face.light = 0x00FF00, face.dark = 0x0000FF, face.symbol = 0xFF0000;
    BoxText text;  // no Marlett: the triangle is drawn as a shape
    Image32 surface(185, 20);
    paint_combo(surface, face, "1024", ComboState{}, 2775, k96Dpi, text);
    EXPECT_EQ(symbol_box_left(2775, k96Dpi), 164);
    EXPECT_EQ(symbol_box_left(1480, k96Dpi), 78);
    const struct {
        int x, y;
        uint32_t colour;
        const char* what;
    } expected[] = {
        {2, 10, 0xFFFFFF, "the text, three pixels into the list"},   {1, 10, kComboListBack, "the list's own back"},
        {60, 17, kComboListBack, "the list down to row 17"},          {60, 18, 0x000000, "BackColor below it"},
        {173, 8, 0xFF0000, "the triangle's middle"},                  {164, 8, kComboListBack, "the box's left column"},
        {60, 0, 0x0000FF, "the dark top edge"},                       {0, 10, 0x0000FF, "the dark left edge"},
        {184, 10, 0x00FF00, "the light right edge"},                  {60, 19, 0x00FF00, "the light bottom edge"},
    };
    for (const auto& e : expected) EXPECT_EQ(colour_at(surface, e.x, e.y), e.colour) << e.what;
}

}  // namespace
}  // namespace morvane::controls
