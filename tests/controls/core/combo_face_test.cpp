// The combo box's list rules, its size rule and where its symbol box and triangle stand.
#include "controls/core/combo_face.h"
#include "tests/support/box_text.h"

#include <gtest/gtest.h>

namespace morvane::controls {
namespace {

using testing::BoxText;
using testing::colour_at;

constexpr TwipsPerPixel k96Dpi{15, 15};

TEST(ComboList, AnEmptyListIgnoresRemovalsAndSelectionsAndHasNothingSelected) {
    ComboList list;
    list.RemoveItem(0);
    EXPECT_FALSE(list.SetListIndex(0));
    EXPECT_EQ(list.GetListIndex(), -1);
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.GetList(0), "");
}

TEST(ComboList, SelectsOnlyEntriesThatExistAndRaisesClickOnlyForAChange) {
    ComboList list;
    list.AddItem("1024 x 1024");
    list.AddItem("2048 x 2048");
    EXPECT_EQ(list.GetListIndex(), -1) << "adding selects nothing";
    EXPECT_FALSE(list.SetListIndex(2));
    EXPECT_FALSE(list.SetListIndex(-1));
    EXPECT_TRUE(list.SetListIndex(1));
    EXPECT_EQ(list.shown_text(), "2048 x 2048");
    EXPECT_FALSE(list.SetListIndex(1));
}

TEST(ComboList, RemovingAnEntryMovesTheSelectionWithItOrClearsItWhenItWasTheSelectedOne) {
    ComboList list;
    for (const char* item : {"a", "b", "c"}) list.AddItem(item);
    list.SetListIndex(2);
    list.RemoveItem(0);
    EXPECT_EQ(list.GetListIndex(), 1);
    EXPECT_EQ(list.shown_text(), "c");
    list.RemoveItem(1);
    EXPECT_EQ(list.GetListIndex(), -1);
    list.SetList(0, "B");
    EXPECT_EQ(list.GetList(0), "B");
}

TEST(ComboFace, IsAlways300TwipsHighAndAtLeast1425WideWithItsSymbolBoxAt78For1480Twips) {
    const TwipsSize small = apply_size_rule(kComboSizeRule, {1000, 600});
    EXPECT_EQ(small.width, 1425);
    EXPECT_EQ(small.height, 300);
    EXPECT_EQ(symbol_box_left(1480, k96Dpi), 78);
}

TEST(ComboFace, ShowsTheSelectedTextOnTheListsOwnBackgroundAndTheTriangleInTheSymbolBox) {
    BoxText text;
    ComboFace face;
    face.fore = 0xFFFFFF;
    face.back = 0x000000;
    Image32 surface(185, 20);
    paint_combo(surface, face, "1024", ComboState{}, 185 * 15, k96Dpi, text);
    EXPECT_EQ(colour_at(surface, 2, 10), 0xFFFFFFu) << "the text starts three pixels into the list";
    EXPECT_EQ(colour_at(surface, 60, 10), kComboListBack);
    EXPECT_EQ(colour_at(surface, 60, 18), 0x000000u) << "below the list the BackColor shows";
    const int sx = symbol_box_left(185 * 15, k96Dpi);
    int triangle = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = sx; x < sx + 20 && x < 185; ++x) triangle += colour_at(surface, x, y) == face.symbol;
    EXPECT_GT(triangle, 10) << "the stand-in triangle where the system has no Marlett";
    EXPECT_EQ(colour_at(surface, 0, 5), 0x000000u) << "the dark edge on the left (window text)";
    EXPECT_EQ(colour_at(surface, 184, 5), face.light);
}

}  // namespace
}  // namespace morvane::controls
