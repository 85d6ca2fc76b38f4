// The rounded outline, the whole-window opacity and the move of the program's borderless windows, read back
// from the system.
#include "platform/win/window_effects.h"
#include "tests/platform/win/system_windows.h"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

TEST(RoundRegion, AMainWindowGetsItsWholeRectangleWithTwentyPixelCornerEllipses) {
    TestWindow window(WS_POPUP | WS_VISIBLE, 820, 711);
    EXPECT_FALSE(window_region_box(window.handle).has_value());
    set_round_region(window.handle, 820, 711, 20);
    // As everywhere in GDI, a round rectangle's region leaves out its last column and row.
    EXPECT_EQ(window_region_box(window.handle), (RegionBox{0, 0, 819, 710}));
    // The corner pixel is cut off, the middle of each edge is not; a 20 x 20 ellipse cuts about 3 pixels
    // along each edge from the corner.
    EXPECT_FALSE(region_contains(window.handle, 0, 0));
    EXPECT_FALSE(region_contains(window.handle, 819, 710));
    EXPECT_FALSE(region_contains(window.handle, 1, 1));
    EXPECT_TRUE(region_contains(window.handle, 410, 0));
    EXPECT_TRUE(region_contains(window.handle, 0, 355));
    EXPECT_TRUE(region_contains(window.handle, 10, 10));
    EXPECT_TRUE(region_contains(window.handle, 818, 355));
    EXPECT_FALSE(region_contains(window.handle, 819, 355));
    // Shaping again replaces the region.
    set_round_region(window.handle, 312, 71, 20);
    EXPECT_EQ(window_region_box(window.handle), (RegionBox{0, 0, 311, 70}));
}

// The window's other extended styles stay.
TEST(LayeredOpacity, MakesTheWindowLayeredWithTheGivenOpacity) {
    TestWindow window;
    EXPECT_FALSE(layered_opacity(window.handle).has_value()) << "a new window is not layered";
    SetWindowLongW(window.handle, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES);
    for (const uint8_t opacity : {0, 150, 230}) {
        set_layered_opacity(window.handle, opacity);
        EXPECT_EQ(layered_opacity(window.handle), opacity);
    }
    EXPECT_EQ(GetWindowLongW(window.handle, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES),
              WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES);
}

TEST(MoveWindow, PutsTheCornerAtTheScreenPointAndKeepsTheSize) {
    TestWindow window(WS_POPUP | WS_VISIBLE, 820, 711);
    move_window(window.handle, 37, -12);
    RECT rect{};
    GetWindowRect(window.handle, &rect);
    EXPECT_EQ(rect.left, 37);
    EXPECT_EQ(rect.top, -12);
    EXPECT_EQ(rect.right - rect.left, 820);
    EXPECT_EQ(rect.bottom - rect.top, 711);
}

TEST(CursorPosition, IsWhereTheSystemPutTheCursor) {
    ASSERT_TRUE(SetCursorPos(300, 200));
    EXPECT_EQ(cursor_position(), (ScreenPoint{300, 200}));
}

}  // namespace
}  // namespace morvane::testing
