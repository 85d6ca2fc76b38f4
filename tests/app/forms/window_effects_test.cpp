// The window effects as any host sees them: the outline, the fade, the drag in twips.
#include "tests/app/forms/forms_fixture.h"

namespace morvane::testing {
namespace {

TEST(WindowEffects, FadeInSetsEveryOpacityFromFirstToLastWithAYieldBeforeEachAndNothingWhenFirstIsAbove) {
    FixedCursor cursor;
    int yields = 0;
    app::WindowEffects fx(cursor, [&] { ++yields; });
    RecordedShell shell;
    fx.fade_in(shell, 0, 230, 1);
    ASSERT_EQ(shell.opacities.size(), 231u);
    EXPECT_EQ(shell.opacities.front(), 0);
    EXPECT_EQ(shell.opacities.back(), 230);
    EXPECT_EQ(yields, 231);
    fx.fade_in(shell, 10, 5, 1);
    EXPECT_EQ(shell.opacities.size(), 231u);
}

TEST(WindowEffects, AFadeStopsWhenTheWindowGoesMeanwhile) {
    FixedCursor cursor;
    RecordedShell shell;
    app::WindowEffects fx(cursor, [&] { shell.closed = shell.opacities.size() == 3; });
    fx.fade_in(shell, 0, 230, 1);
    EXPECT_EQ(shell.opacities.size(), 3u);
}

TEST(WindowEffects, ADragStartedAt100By50TwipsWithTheCursorAt300By200PutsTheWindowAt4400By2950Twips) {
    FixedCursor cursor;
    cursor.position = {300, 200};
    app::WindowEffects fx(cursor, {});
    RecordedShell shell;
    fx.set_main_window(&shell);
    fx.drag_move();
    EXPECT_TRUE(shell.moves.empty()) << "no drag, no move";
    fx.drag_start(true, 100, 50);
    fx.drag_move();
    ASSERT_EQ(shell.moves.size(), 1u);
    EXPECT_EQ(shell.moves[0], (app::ScreenPoint{4400 / 15, 2950 / 15}));
}

TEST(WindowEffects, AWindowOf820By711IsRoundedWithCornersOf20) {
    FixedCursor cursor;
    app::WindowEffects fx(cursor, {});
    RecordedShell shell;
    fx.shape_window(shell, app::kWindowCorner);
    EXPECT_EQ(shell.regions.at(0), (app::RoundRegion{0, 0, 820, 711, 20, 20}));
}

}  // namespace
}  // namespace morvane::testing
