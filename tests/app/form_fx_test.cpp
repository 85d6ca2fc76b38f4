#include "app/form_fx.h"

#include <QWidget>
#include <gtest/gtest.h>

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

TEST_F(Fx, An820By711WindowGetsTwentyPixelCorners) {
    window.resize(820, 711);
    fx.shape_window(window, 20);
    EXPECT_EQ(record.regions, (std::vector<form_fx::RoundRegion>{{0, 0, 820, 711, 20, 20}}));
    const QRegion mask = window.mask();
    EXPECT_EQ(mask.boundingRect(), QRect(0, 0, 820, 711));
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));  // the very corners are cut away
    EXPECT_FALSE(mask.contains(QPoint(819, 710)));
    EXPECT_TRUE(mask.contains(QPoint(10, 0)));  // the edges between them stay
}

// (The 231 opacities of the start-up fade are checked through the main window.)
TEST_F(Fx, FadingStopsWhenTheWindowIsHiddenMeanwhile) {
    window.show();
    fx.set_yield([this] {
        if (++yields == 3) window.hide();
    });
    fx.fade_in(window, 0, 230, 1);
    EXPECT_EQ(record.opacities, (std::vector<int>{0, 1}));
}

TEST_F(Fx, ADragFrom100By50TwipsWithTheCursorAt300By200PixelsPutsTheWindowAt4400By2950Twips) {
    cursor.position = QPoint(300, 200);
    fx.drag_start(true, 100, 50);
    fx.drag_move();
    ASSERT_EQ(record.moves.size(), 1u);
    EXPECT_DOUBLE_EQ(record.moves[0].left_twips, 4400);
    EXPECT_DOUBLE_EQ(record.moves[0].top_twips, 2950);
    EXPECT_EQ(window.pos(), QPoint(293, 196)) << "4400 / 15 = 293.3 and 2950 / 15 = 196.7: the pixel below";
    fx.drag_stop();
    fx.drag_move();
    EXPECT_EQ(record.moves.size(), 1u) << "no move after release";
}

}  // namespace
