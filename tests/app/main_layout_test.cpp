// The main window built from its stored layout, and what its title line, close glyph and buttons do. Where
// each control stands and its colours are one table in form_layouts.cpp, compared line by line with the design.
#include "main_window_fixture.h"

#include "controls/elboton.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace morvane::testing {
namespace {

using Layout = MainWindowTest;

void send_mouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, held, {});
    QCoreApplication::sendEvent(to, &event);
}

void click(QWidget* to) {
    send_mouse(to, QEvent::MouseButtonPress, to->rect().center(), Qt::LeftButton);
    send_mouse(to, QEvent::MouseButtonRelease, to->rect().center(), Qt::NoButton);
}

TEST_F(Layout, TheFramesNestAndHoldThePreviewAtTheChosenSize) {
    auto& w = open();
    const QWidget* preview = w.controls().find("Picture2");
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->geometry(), QRect(1, 1, 1024, 1024)) << "clipped by elframe1 (780 x 621)";
    EXPECT_EQ(preview->parentWidget(), w.controls().find("elframe1"));
    EXPECT_EQ(preview->parentWidget()->parentWidget(), w.controls().find("elframe2"));
    EXPECT_EQ(w.controls().find("Picture1"), nullptr) << "never shown";
    EXPECT_EQ(w.elboton1().geometry(), QRect(692, 675, 117, 24));
}

TEST_F(Layout, DraggingTheTitleLineMovesTheWindowWithTheCursorUntilRelease) {
    auto& w = open();
    auto* title = w.controls().find("Label1");
    cursor.position = QPoint(300, 200);
    send_mouse(title, QEvent::MouseButtonPress, QPoint(40, 7), Qt::LeftButton);  // the grab point
    cursor.position = QPoint(350, 260);
    send_mouse(title, QEvent::MouseMove, QPoint(42, 9), Qt::LeftButton);
    EXPECT_EQ(w.pos(), QPoint(310, 253));
    send_mouse(title, QEvent::MouseButtonRelease, QPoint(42, 9), Qt::NoButton);
    cursor.position = QPoint(500, 500);
    send_mouse(title, QEvent::MouseMove, QPoint(43, 9), Qt::NoButton);
    EXPECT_EQ(w.pos(), QPoint(310, 253));
}

TEST_F(Layout, TheButtonsRunTheirCommandsAndTheCloseGlyphEndsTheProgram) {
    auto& w = open_located();
    w.show();
    click(&w.elboton1());  // Load Picture: the dialog is cancelled
    EXPECT_EQ(dialog.shown.size(), 1u);
    click(&w.elboton2());  // Make Background
    EXPECT_TRUE(std::filesystem::exists(texture_file()));
    click(w.controls().find("Label2"));
    EXPECT_EQ(exit_code, 0);
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace morvane::testing
