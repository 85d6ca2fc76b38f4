// What the Qt window adds to the first activation: its mask, an activation during the fade, the title line
// and the close glyph. config.dat, the game's dialog and the ways the program ends are the window's logic
// (tests/app/forms).
#include "main_window_fixture.h"

#include "platform/qt/screen_metrics.h"

#include <chrono>

namespace morvane::testing {
namespace {

using Startup = MainWindowTest;

// The Qt window applies the outline as its mask.
TEST_F(Startup, TheWindowsMaskCutsAwayItsRoundedCorners) {
    auto& w = open();
    EXPECT_FALSE(w.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(w.mask().contains(QPoint(10, 0)));
    EXPECT_TRUE(w.mask().contains(QPoint(819, 700)));
}

TEST_F(Startup, AnActivationDuringTheFadeLocatesOnceAndTheCloseGlyphThenEndsWithoutADialog) {
    auto& w = open();
    w.show();
    during_yield = [&] {
        w.Form_Activate();
        if (yields == 5) click(w.controls().find("Label2"));
    };
    w.Form_Activate();
    EXPECT_EQ(exit_code, 0);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(dialog.shown.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_LT(effects.opacities.size(), 10u);
}

// The drag's arithmetic is the window effects' (tests/app/forms); here the mouse on the Qt title line.
TEST_F(Startup, ADragFromAnywhereOnTheTitleMovesTheWindowByExactlyTheCursorsMovementAt15And12TwipsPerPixel) {
    // A recorded cursor path, relative to where the button went down: small steps, a long jump, back past
    // the start and off the top-left of the screen.
    const QPoint path[] = {{1, 0}, {1, 1}, {4, -3}, {250, 120}, {-37, -5}, {-400, -300}, {0, 0}};
    for (const morvane::TwipsPerPixel screen : {morvane::TwipsPerPixel{15, 15}, morvane::TwipsPerPixel{12, 12}}) {
        morvane::ScopedTwipsPerPixel ratios(screen);
        auto& w = open();
        w.move(300, 200);
        QWidget* title = w.controls().find("Label1");
        const QRect inside = title->rect();
        for (const QPoint grab : {inside.topLeft(), inside.center(), inside.bottomRight(), QPoint(1, inside.bottom())}) {
            const QPoint window_at = w.pos();
            const QPoint pressed_at = window_at + title->pos() + grab;  // the cursor on the screen
            cursor.position = pressed_at;
            send_mouse(title, QEvent::MouseButtonPress, grab);
            for (const QPoint moved : path) {
                cursor.position = pressed_at + moved;
                send_mouse(title, QEvent::MouseMove, grab + moved);
                EXPECT_EQ(w.pos(), window_at + moved) << "grab " << grab.x() << "," << grab.y() << " at "
                                                      << screen.x << " twips per pixel";
            }
            send_mouse(title, QEvent::MouseButtonRelease, grab);
            const QPoint released_at = w.pos();
            cursor.position = QPoint(900, 900);
            send_mouse(title, QEvent::MouseMove, grab);
            EXPECT_EQ(w.pos(), released_at) << "no move after release";
        }
    }
}

}  // namespace
}  // namespace morvane::testing
