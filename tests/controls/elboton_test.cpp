// The push button by mouse and keyboard, and the close glyph, which takes the same keys.
#include "control_test_support.h"
#include "controls/elboton.h"
#include "controls/symbol_label.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QKeyEvent>

namespace morvane::controls {
namespace {

using namespace morvane::testing;

// Whether the window went on to see the key.
bool send_key(QWidget* to, QEvent::Type type, int code, bool repeat = false,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(type, code, modifiers, QString(), repeat);
    QApplication::sendEvent(to, &event);
    return !event.isAccepted();
}

void press_key(QWidget* to, int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    send_key(to, QEvent::KeyPress, code, false, modifiers);
    send_key(to, QEvent::KeyRelease, code, false, modifiers);
}

class Button : public ControlTest {
protected:
    Button() {
        b->read_properties(Settings{{"caption", "Load Picture"}, {"backcolor", 0x646464u}});
        b->set_geometry_pixels(0, 0, 117, 24);
        close->setGeometry(200, 0, 11, 14);
        close->set_color(0xE0E0E0);
        close->setFocusPolicy(Qt::TabFocus);
        host.resize(400, 100);
        host.show();
        host.activateWindow();
        QApplication::processEvents();
    }
    uint32_t top_line() { return colorref_at(shot(*b), 58, 0); }
    elboton* b = new elboton(&host);
    SymbolLabel* close = new SymbolLabel(SymbolGlyph::Close, &host);
    std::shared_ptr<std::vector<std::tuple<>>> clicks = record(b, &SkinnedControl::Click);
};

TEST_F(Button, TheWidgetShowsItsRaisedEdgeAroundTheFill) {
    const QImage image = shot(*b);
    ASSERT_EQ(image.size(), QSize(117, 24));
    expect_edge(image, 0x95AAA0, dark_shown());
    EXPECT_EQ(colorref_at(image, 0, 23), 0x95AAA0u) << "the left line reaches the last row";
    EXPECT_EQ(colorref_at(image, 1, 1), 0x646464u);
}

TEST_F(Button, ADisabledButtonLooksTheSameAsAnEnabledOne) {
    const QImage enabled = shot(*b);
    b->set_Enabled(false);
    EXPECT_EQ(shot(*b), enabled);
}

TEST_F(Button, ALeftPressShowsThePushedEdgeBeforeMouseDownIsRaisedAndTheRaisedOneBeforeMouseUp) {
    std::vector<uint32_t> seen;  // the top line at each MouseDown and MouseUp
    auto look = [&](int16_t, int16_t, float, float) { seen.push_back(colorref_at(b->grab().toImage(), 50, 0)); };
    QObject::connect(b, &SkinnedControl::MouseDown, b, look);
    QObject::connect(b, &SkinnedControl::MouseUp, b, look);
    send_mouse(b, QEvent::MouseButtonPress, Qt::LeftButton, QPointF(100, 12));
    EXPECT_EQ(colorref_at(shot(*b), 116, 12), 0x95AAA0u) << "right turns light";
    send_mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(100, 12));
    EXPECT_EQ(seen, (std::vector<uint32_t>{dark_shown(), 0x95AAA0u}));
}

TEST_F(Button, ARightPressLeavesTheEdgeRaisedAndMouseDownTellsTheButtonTheKeysAndThePlace) {
    std::vector<uint32_t> seen;
    QObject::connect(b, &SkinnedControl::MouseDown, b,
                     [&](int16_t, int16_t, float, float) { seen.push_back(colorref_at(b->grab().toImage(), 50, 0)); });
    auto down = record(b, &SkinnedControl::MouseDown);
    send_mouse(b, QEvent::MouseButtonPress, Qt::RightButton, QPointF(20, 12), Qt::ControlModifier);
    send_mouse(b, QEvent::MouseButtonRelease, Qt::RightButton, QPointF(20, 12));
    EXPECT_EQ(seen, std::vector<uint32_t>{0x95AAA0u});
    EXPECT_EQ(down->back(), std::make_tuple(int16_t(2), int16_t(2), 20.0f, 12.0f)) << "right, ctrl, x, y";
    EXPECT_TRUE(clicks->empty());
}

TEST_F(Button, ALeftClickAnywhereOnTheButtonClicksIt) {
    click(b, QPointF(100, 12));  // beside the caption
    b->set_CenterCaption(true);
    click(b, b->caption_geometry().center());
    EXPECT_EQ(clicks->size(), 2u);
}

TEST_F(Button, APressReleasedOutsideTheButtonDoesNotClickAndRaisesTheEdgeAgain) {
    send_mouse(b, QEvent::MouseButtonPress, Qt::LeftButton, QPointF(58, 12));
    send_mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(300, 60));
    EXPECT_TRUE(clicks->empty());
    EXPECT_EQ(top_line(), 0x95AAA0u);
}

TEST_F(Button, SpaceHeldDownPushesItAndClicksItOnceWhenItComesUp) {
    b->setFocus();
    send_key(b, QEvent::KeyPress, Qt::Key_Space);
    EXPECT_EQ(top_line(), dark_shown()) << "pushed in while Space is held";
    for (int i = 0; i < 3; ++i) {  // the key held: the system repeats it
        send_key(b, QEvent::KeyRelease, Qt::Key_Space, true);
        send_key(b, QEvent::KeyPress, Qt::Key_Space, true);
    }
    EXPECT_TRUE(clicks->empty()) << "Space clicks when it comes up";
    send_key(b, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(clicks->size(), 1u);
    EXPECT_EQ(top_line(), 0x95AAA0u) << "up again";
}

TEST_F(Button, EnterAndTheKeypadsEnterClickItOnceEachWithoutAMouseDown) {
    const auto downs = record(b, &elboton::MouseDown);
    b->setFocus();
    press_key(b, Qt::Key_Return);
    press_key(b, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks->size(), 2u);
    EXPECT_TRUE(downs->empty()) << "a key is no mouse button";
}

TEST_F(Button, KeysItDoesNotUseGoOnToTheWindowAndCtrlSpaceIsNotSpace) {
    b->setFocus();
    EXPECT_TRUE(send_key(b, QEvent::KeyPress, Qt::Key_A));
    press_key(b, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(clicks->empty());
}

TEST_F(Button, SpaceHeldWhileTheFocusLeavesLetsTheButtonUpWithoutAClick) {
    b->setFocus();
    send_key(b, QEvent::KeyPress, Qt::Key_Space);
    close->setFocus();
    send_key(b, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_TRUE(clicks->empty());
    EXPECT_EQ(top_line(), 0x95AAA0u);
}

// The mark's pixels are the core's (tests/controls/core); the window decides when it shows.
TEST_F(Button, TheFocusMarkShowsOnlyAfterKeyboardUseInTheWindow) {
    b->setFocus(Qt::MouseFocusReason);
    const QImage quiet = shot(*b);
    EXPECT_EQ(colorref_at(quiet, 2, 2), 0x646464u);
    host.setAttribute(Qt::WA_KeyboardFocusChange);  // what Tab does to the window
    b->update();
    const QImage marked = shot(*b);
    EXPECT_EQ(colorref_at(marked, 2, 2), 0x95AAA0u) << "the mark's first dot";
    EXPECT_EQ(colorref_at(marked, 3, 2), 0x646464u);
}

TEST_F(Button, TheCloseGlyphShowsItsMarkInItsOwnColourOnlyWhileFocusedAfterKeyboardUse) {
    close->setFocus(Qt::MouseFocusReason);
    const QImage glyph = shot(*close);
    EXPECT_NE(colorref_at(glyph, 0, 0), 0xE0E0E0u) << "no mark before the keyboard is used";
    press_key(close, Qt::Key_Space);
    EXPECT_EQ(colorref_at(shot(*close), 0, 0), 0xE0E0E0u);
    EXPECT_NE(colorref_at(shot(*close), 1, 0), 0xE0E0E0u) << "dotted";
    b->setFocus();
    EXPECT_EQ(shot(*close), glyph) << "the mark goes with the focus";
}

TEST_F(Button, SpaceAndEnterClickTheCloseGlyph) {
    const auto glyph_clicks = record(close, &SymbolLabel::Click);
    close->setFocus();
    press_key(close, Qt::Key_Space);
    press_key(close, Qt::Key_Return);
    EXPECT_EQ(glyph_clicks->size(), 2u);
}

TEST_F(Button, AScreenReaderHearsTheCaptionAsItIsNow) {
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(b);
    b->set_Caption("Make Background");
    EXPECT_EQ(reader->text(QAccessible::Name), "Make Background");
}

TEST_F(Button, AScreenReaderCannotPressADisabledButton) {
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(b);
    b->set_Enabled(false);
    reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(clicks->empty());
}

}  // namespace
}  // namespace morvane::controls
