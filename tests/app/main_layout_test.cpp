// The main window as drawn, and what its title line and close glyph do.
#include "main_window_fixture.h"

#include "app/labels.h"
#include "app/picture_view.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/symbol_label.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace morvane::testing {
namespace {

using Layout = MainWindowTest;

void send_mouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, held, {});
    QCoreApplication::sendEvent(to, &event);
}
void press(QWidget* to, QPoint at) { send_mouse(to, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
void move(QWidget* to, QPoint at, Qt::MouseButtons held) { send_mouse(to, QEvent::MouseMove, at, Qt::NoButton, held); }
void release(QWidget* to, QPoint at) { send_mouse(to, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
void click(QWidget* to) {
    const QPoint middle = to->rect().center();
    press(to, middle);
    release(to, middle);
}

QRect place_of(const morvane_ui::main& w, const char* name) {
    const QWidget* widget = w.controls().find(name);
    return widget ? widget->geometry() : QRect();
}

TEST_F(Layout, EveryControlStandsWhereTheDesignPutsIt) {
    auto& w = open();
    EXPECT_EQ(place_of(w, "Label1"), QRect(13, 8, 775, 19));
    EXPECT_EQ(place_of(w, "Label2"), QRect(796, 8, 11, 14));
    EXPECT_EQ(place_of(w, "elframe2"), QRect(11, 29, 798, 638));
    EXPECT_EQ(place_of(w, "elframe1"), QRect(9, 8, 780, 621));
    EXPECT_EQ(place_of(w, "Label3"), QRect(13, 678, 67, 19));
    EXPECT_EQ(place_of(w, "elcombo1"), QRect(80, 677, 185, 20));
    EXPECT_EQ(place_of(w, "elboton2"), QRect(569, 675, 117, 24));
    EXPECT_EQ(place_of(w, "elboton1"), QRect(692, 675, 117, 24));
    // Picture2 at (1, 1) inside elframe1, resized to the chosen 1024 and clipped by the frame.
    EXPECT_EQ(place_of(w, "Picture2"), QRect(1, 1, 1024, 1024));
    EXPECT_EQ(w.controls().find("Picture2")->parentWidget(), w.controls().find("elframe1"));
    EXPECT_EQ(w.controls().find("elframe1")->parentWidget(), w.controls().find("elframe2"));
    // Picture1 and the two buffers are never shown.
    EXPECT_EQ(w.controls().find("Picture1"), nullptr);
    EXPECT_EQ(w.controls().find("Source_Buffer"), nullptr);
    EXPECT_EQ(w.controls().find("Temp_Buffer"), nullptr);
}

TEST_F(Layout, ControlsCarryTheirCaptionsAndColours) {
    auto& w = open();
    auto* title = w.controls().get<morvane_ui::TextLabel>("Label1");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "MORVANE v1.0");
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(w.controls().get<morvane_ui::TextLabel>("Label3")->text(), "Resolution:");
    auto* close = w.controls().get<morvane::SymbolLabel>("Label2");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->glyph(), morvane::SymbolGlyph::Close);
    EXPECT_EQ(close->color(), 0xE0E0E0u);
    EXPECT_EQ(w.elboton2().Caption(), "Make Background");
    EXPECT_EQ(w.elboton1().Caption(), "Load Picture");
    EXPECT_TRUE(w.elboton1().CenterCaption());
    EXPECT_EQ(w.elboton1().BackColor(), 0x646464u);
    EXPECT_EQ(w.elboton1().ForeColor(), 0xFFFFFFu);
    auto* outer = w.controls().get<morvane::elframe>("elframe2");
    auto* inner = w.controls().get<morvane::elframe>("elframe1");
    EXPECT_EQ(outer->BackColor(), 0x646464u);
    EXPECT_EQ(outer->Color3DLight(), 0x222E28u);
    EXPECT_EQ(outer->Color3DDark(), 0xB2B2B2u);
    EXPECT_EQ(inner->BackColor(), 0x000000u);
    EXPECT_EQ(inner->Color3DLight(), 0xB2B2B2u);
    EXPECT_EQ(inner->Color3DDark(), 0x222E28u);
    EXPECT_EQ(w.elcombo1().ForeColor(), 0xFFFFFFu);
    EXPECT_EQ(w.elcombo1().BackColor(), 0x000000u);
    EXPECT_EQ(w.elcombo1().Color3DLight(), 0x809188u);
    EXPECT_EQ(w.elcombo1().Color3DDark(), 0x222E28u);
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(0x64, 0x64, 0x64));
}

TEST_F(Layout, DraggingTheTitleLineMovesTheWindowWithTheCursor) {
    auto& w = open();
    auto* title = w.controls().get<morvane_ui::TextLabel>("Label1");
    cursor.position = QPoint(300, 200);
    press(title, QPoint(40, 7));  // the grab point, 40 x 7 pixels into the label
    move(title, QPoint(41, 8), Qt::LeftButton);
    EXPECT_EQ(w.pos(), QPoint(260, 193));
    cursor.position = QPoint(350, 260);
    move(title, QPoint(42, 9), Qt::LeftButton);
    EXPECT_EQ(w.pos(), QPoint(310, 253));
    release(title, QPoint(42, 9));
    cursor.position = QPoint(500, 500);
    move(title, QPoint(43, 9), Qt::NoButton);
    EXPECT_EQ(w.pos(), QPoint(310, 253));
}

TEST_F(Layout, TheCloseGlyphEndsTheProgramEvenBeforeAnyPictureIsLoaded) {
    auto& w = open_located();
    w.show();
    click(w.controls().find("Label2"));
    EXPECT_EQ(exit_code, 0);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Layout, ACloseRequestFromTheWindowSystemEndsTheProgramLikeTheGlyph) {
    auto& w = open_located();
    w.show();
    w.close();
    EXPECT_EQ(exit_code, 0);
}

TEST_F(Layout, TheButtonsRunTheirCommands) {
    auto& w = open_located();
    click(&w.elboton1());  // Load Picture: the dialog is cancelled
    EXPECT_EQ(dialog.shown.size(), 1u);
    click(&w.elboton2());  // Make Background
    EXPECT_TRUE(std::filesystem::exists(texture_file()));
}

}  // namespace
}  // namespace morvane::testing
