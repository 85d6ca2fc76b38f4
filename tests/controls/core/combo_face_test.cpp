// The combo box's list rules, its size rule, and the pixels of a 185 by 20 pixel combo box (the main window's
// resolution list).
#include "controls/core/combo_face.h"
#include "tests/support/box_text.h"

#include <gtest/gtest.h>

namespace morvane::controls {
namespace {

using testing::BoxText;
using testing::colour_at;

constexpr TwipsPerPixel k96Dpi{15, 15};

ComboList two_resolutions() {
    ComboList list;
    list.AddItem("1024 x 1024");
    list.AddItem("2048 x 2048");
    return list;
}

ComboList three_entries_with_the_last_selected() {
    ComboList list;
    for (const char* item : {"a", "b", "c"}) list.AddItem(item);
    list.SetListIndex(2);
    return list;
}

TEST(ComboList, AnEmptyListIgnoresRemovalsAndSelectionsAndHasNothingSelected) {
    ComboList list;
    list.RemoveItem(0);
    EXPECT_FALSE(list.SetListIndex(0));
    EXPECT_EQ(list.GetListIndex(), -1);
    EXPECT_EQ(list.ListCount(), 0);
}

TEST(ComboList, AddingEntriesSelectsNone) {
    const ComboList list = two_resolutions();
    EXPECT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.GetListIndex(), -1);
    EXPECT_EQ(list.shown_text(), "");
}

TEST(ComboList, SelectingAPositionPastEitherEndChangesNothingAndRaisesNoClick) {
    ComboList list = two_resolutions();
    EXPECT_FALSE(list.SetListIndex(2));
    EXPECT_FALSE(list.SetListIndex(-1));
    EXPECT_EQ(list.GetListIndex(), -1);
}

TEST(ComboList, SelectingAnEntryRaisesClickAndShowsItsTextButSelectingItAgainRaisesNone) {
    ComboList list = two_resolutions();
    EXPECT_TRUE(list.SetListIndex(1));
    EXPECT_EQ(list.GetListIndex(), 1);
    EXPECT_EQ(list.shown_text(), "2048 x 2048");
    EXPECT_FALSE(list.SetListIndex(1));
}

TEST(ComboList, RemovingAPositionPastEitherEndRemovesNothing) {
    ComboList list = two_resolutions();
    list.RemoveItem(2);
    list.RemoveItem(-1);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"1024 x 1024", "2048 x 2048"}));
}

TEST(ComboList, RemovingAnEntryBeforeTheSelectedOneMovesTheSelectionUpWithIt) {
    ComboList list = three_entries_with_the_last_selected();
    list.RemoveItem(0);
    EXPECT_EQ(list.GetListIndex(), 1);
    EXPECT_EQ(list.shown_text(), "c");
}

TEST(ComboList, RemovingTheSelectedEntryLeavesNothingSelected) {
    ComboList list = three_entries_with_the_last_selected();
    list.RemoveItem(2);
    EXPECT_EQ(list.GetListIndex(), -1);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"a", "b"}));
}

TEST(ComboList, SetListReplacesTheTextAtItsPositionAndLeavesTheOthersAlone) {
    ComboList list = two_resolutions();
    list.SetList(1, "4096 x 4096");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"1024 x 1024", "4096 x 4096"}));
}

TEST(ComboList, SetListAndGetListPastTheEndNeitherAddAnEntryNorReadOne) {
    ComboList list;
    list.SetList(0, "x");
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.GetList(0), "");
}

TEST(ComboFace, IsAlways300TwipsHighAndAtLeast1425Wide) {
    const TwipsSize small = apply_size_rule(kComboSizeRule, {1000, 600});
    EXPECT_EQ(small.width, 1425);
    EXPECT_EQ(small.height, 300);
}

TEST(ComboFace, AnOuterWidthOf1480TwipsPutsTheSymbolBoxAtPixel78) {
    EXPECT_EQ(symbol_box_left(1480, k96Dpi), 78);
}

// The main window's resolution list: 185 by 20 pixels, 2775 twips wide, so its symbol box stands at
// (2775 - 280) / 15 - 2 = 164.3, pixel 164, and spans columns 164 to 183, rows 0 to 16 (it starts a row
// above the control); the triangle's label inside it spans columns 165 to 182, rows 1 to 15.
class ResolutionCombo : public ::testing::Test {
protected:
    ResolutionCombo() {
        face.fore = 0xFFFFFF;
        face.back = 0x000000;
        face.light = 0x00FF00;
        face.dark = 0x0000FF;
        face.symbol = 0xFF0000;
        paint_combo(surface, face, "1024", ComboState{}, 2775, k96Dpi, text);
    }
    BoxText text;  // no Marlett: the triangle is drawn as a shape
    ComboFace face;
    Image32 surface{185, 20};
};

TEST_F(ResolutionCombo, StandsItsSymbolBoxAtPixel164) {
    EXPECT_EQ(symbol_box_left(2775, k96Dpi), 164);
}

TEST_F(ResolutionCombo, ShowsTheSelectedTextInForeColorThreePixelsIntoTheList) {
    EXPECT_EQ(colour_at(surface, 2, 10), 0xFFFFFFu) << "the list starts a pixel left of the control";
    EXPECT_EQ(colour_at(surface, 1, 10), kComboListBack);
}

TEST_F(ResolutionCombo, ShowsTheListsOwnBackgroundOverRows0To17AndBackColorBelow) {
    EXPECT_EQ(colour_at(surface, 60, 1), kComboListBack);
    EXPECT_EQ(colour_at(surface, 60, 17), kComboListBack);
    EXPECT_EQ(colour_at(surface, 60, 18), 0x000000u);
}

TEST_F(ResolutionCombo, ShowsTheTriangleInSymbolColorInTheMiddleOfItsBoxOnTheBoxsOwnBackground) {
    EXPECT_EQ(colour_at(surface, 173, 8), 0xFF0000u) << "the triangle's middle";
    EXPECT_EQ(colour_at(surface, 164, 8), kComboListBack) << "the box's left column";
    EXPECT_EQ(colour_at(surface, 166, 2), kComboListBack) << "the box's top left, beside the triangle";
}

TEST_F(ResolutionCombo, HasASunkenEdgeDarkAtTheTopAndLeftAndLightAtTheRightAndBottom) {
    EXPECT_EQ(colour_at(surface, 60, 0), 0x0000FFu);
    EXPECT_EQ(colour_at(surface, 0, 10), 0x0000FFu);
    EXPECT_EQ(colour_at(surface, 184, 10), 0x00FF00u);
    EXPECT_EQ(colour_at(surface, 60, 19), 0x00FF00u);
}

}  // namespace
}  // namespace morvane::controls
