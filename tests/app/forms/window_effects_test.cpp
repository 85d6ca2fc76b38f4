// The fade as any host sees it (the outline and the drag are the main window's tests).
#include "tests/app/forms/forms_fixture.h"

namespace morvane::testing {
namespace {

TEST(WindowEffects, AFadeYieldsBeforeEachStepDoesNothingWhenFirstIsAboveLastAndStopsWhenTheWindowGoes) {
    FixedCursor cursor;
    int yields = 0;
    RecordedShell shell;
    app::WindowEffects fx(cursor, [&] { ++yields; });
    fx.fade_in(shell, 0, 230, 1);
    EXPECT_EQ(shell.opacities.size(), 231u);
    EXPECT_EQ(yields, 231);
    fx.fade_in(shell, 10, 5, 1);
    EXPECT_EQ(shell.opacities.size(), 231u);
    RecordedShell going;
    app::WindowEffects stopped(cursor, [&] { going.closed = going.opacities.size() == 3; });
    stopped.fade_in(going, 0, 230, 1);
    EXPECT_EQ(going.opacities.size(), 3u);
}

}  // namespace
}  // namespace morvane::testing
