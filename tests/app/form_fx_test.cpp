#include "app/form_fx.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <numeric>

namespace {

struct Fx : ::testing::Test {
    Fx() {
        fx.set_observer(&record);
        fx.set_cursor(&cursor);
        fx.set_yield([this] { ++yields; });
        fx.set_main_window(&window);
        window.setWindowFlags(Qt::FramelessWindowHint);
    }
    form_fx::Record record;
    form_fx::FixedCursor cursor;
    form_fx::FormFx fx;
    QWidget window;
    int yields = 0;
};

TEST_F(Fx, AnEightHundredTwentyBySevenHundredElevenWindowGetsTwentyPixelCorners) {
    window.resize(820, 711);
    fx.shape_window(window, 20);
    ASSERT_EQ(record.regions.size(), 1u);
    EXPECT_EQ(record.regions[0], (form_fx::RoundRegion{0, 0, 820, 711, 20, 20}));
    const QRegion mask = window.mask();
    EXPECT_EQ(mask.boundingRect(), QRect(0, 0, 820, 711));
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));     // the very corners are cut away
    EXPECT_FALSE(mask.contains(QPoint(819, 710)));
    EXPECT_TRUE(mask.contains(QPoint(10, 0)));     // the edges between the corners stay
    EXPECT_TRUE(mask.contains(QPoint(0, 355)));
    EXPECT_TRUE(mask.contains(QPoint(410, 355)));
}

TEST_F(Fx, OpacityIsTheWholeWindowsOnAScaleOfTwoHundredFiftyFive) {
    fx.set_opacity(window, 150);
    EXPECT_NEAR(window.windowOpacity(), 150 / 255.0, 0.01);
    EXPECT_EQ(record.opacities, std::vector<int>{150});
}

TEST_F(Fx, FadingInSetsTwoHundredThirtyOneOpacitiesInOrderEachAfterOneYield) {
    fx.fade_in(window, 0, 230, 1);
    std::vector<int> expected(231);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(record.opacities, expected);
    EXPECT_EQ(yields, 231);
    EXPECT_NEAR(window.windowOpacity(), 230 / 255.0, 0.01);
}

TEST_F(Fx, FadingFromAboveTheLastOpacityOrWithoutAStepChangesNothing) {
    fx.fade_in(window, 10, 5, 1);
    fx.fade_in(window, 0, 5, 0);
    EXPECT_TRUE(record.opacities.empty());
    EXPECT_EQ(yields, 0);
}

TEST_F(Fx, FadingStopsWhenTheWindowIsHiddenMeanwhile) {
    window.show();
    fx.set_yield([this] {
        if (++yields == 3) window.hide();
    });
    fx.fade_in(window, 0, 230, 1);
    EXPECT_EQ(record.opacities, (std::vector<int>{0, 1}));
}

TEST_F(Fx, ADragFromLabelPositionHundredFiftyTwipsWithTheCursorAtThreeHundredTwoHundredPixels) {
    cursor.position = QPoint(300, 200);
    fx.drag_start(true, 100, 50);
    fx.drag_move();
    ASSERT_EQ(record.moves.size(), 1u);
    EXPECT_DOUBLE_EQ(record.moves[0].left_twips, 4400);
    EXPECT_DOUBLE_EQ(record.moves[0].top_twips, 2950);
    // 4400 / 15 = 293.3 and 2950 / 15 = 196.7: the window stands on the whole pixel below.
    EXPECT_EQ(record.moves[0].pixels, QPoint(293, 196));
    EXPECT_EQ(window.pos(), QPoint(293, 196));
}

TEST_F(Fx, TheWindowFollowsTheCursorAtTheDistanceOfTheGrabPointInPixels) {
    // A grab at label pixel (40, 7) is handed over as twips with the same ratio.
    fx.drag_start(true, 40 * form_fx::kTwipsPerPixel, 7 * form_fx::kTwipsPerPixel);
    cursor.position = QPoint(640, 300);
    fx.drag_move();
    EXPECT_EQ(window.pos(), QPoint(600, 293));
    cursor.position = QPoint(641, 310);
    fx.drag_move();
    EXPECT_EQ(window.pos(), QPoint(601, 303));
}

TEST_F(Fx, MovingWithoutAPressedButtonOrAfterReleaseDoesNotMoveTheWindow) {
    cursor.position = QPoint(500, 500);
    fx.drag_move();
    fx.drag_start(true, 0, 0);
    fx.drag_stop();
    fx.drag_move();
    EXPECT_TRUE(record.moves.empty());
    EXPECT_FALSE(fx.dragging);
}

}  // namespace
