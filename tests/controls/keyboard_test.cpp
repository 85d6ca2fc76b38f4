// The controls from the keyboard: Space and Enter press a button or the close glyph as a click does, and the
// focus mark appears only once the keyboard has been used in the window.
#include "control_test_support.h"
#include "controls/elboton.h"
#include "controls/symbol_label.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QKeyEvent>

namespace morvane::controls {
namespace {

using namespace morvane::testing;

void send_key(QWidget* to, QEvent::Type type, int code, bool repeat = false,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(type, code, modifiers, QString(), repeat);
    QApplication::sendEvent(to, &event);
}

void press_key(QWidget* to, int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    send_key(to, QEvent::KeyPress, code, false, modifiers);
    send_key(to, QEvent::KeyRelease, code, false, modifiers);
}

class Keys : public ControlTest {
protected:
    Keys() {
        b->read_properties(PropertyBag{{"caption", "Load Picture"}, {"backcolor", 0x646464u}});
        b->set_geometry_pixels(0, 0, 117, 24);
        close->setGeometry(200, 0, 11, 14);
        close->set_color(0xE0E0E0);
        close->setFocusPolicy(Qt::TabFocus);
        host.resize(400, 100);
        host.show();
        host.activateWindow();
        QApplication::processEvents();
    }
    elboton* b = new elboton(&host);
    SymbolLabel* close = new SymbolLabel(SymbolGlyph::Close, &host);
};

TEST_F(Keys, SpaceAndEnterPressAButtonOnceEachAndOtherKeysAreLeftToTheWindow) {
    const auto clicks = record(b, &elboton::Click);
    const auto downs = record(b, &elboton::MouseDown);
    b->setFocus();
    send_key(b, QEvent::KeyPress, Qt::Key_Space);
    EXPECT_EQ(colorref_at(shot(*b), 58, 0), dark_shown()) << "pushed in while Space is held";
    for (int i = 0; i < 3; ++i) {  // the key held: the system repeats it
        send_key(b, QEvent::KeyRelease, Qt::Key_Space, true);
        send_key(b, QEvent::KeyPress, Qt::Key_Space, true);
    }
    EXPECT_TRUE(clicks->empty()) << "Space clicks when it comes up";
    send_key(b, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(clicks->size(), 1u);
    EXPECT_EQ(colorref_at(shot(*b), 58, 0), 0x95AAA0u) << "up again";

    press_key(b, Qt::Key_Return);
    press_key(b, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks->size(), 3u);
    EXPECT_TRUE(downs->empty()) << "a key is no mouse button";

    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(b, &other);
    EXPECT_FALSE(other.isAccepted()) << "a key the button does not use goes on to the window";
    press_key(b, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(clicks->size(), 3u) << "Ctrl+Space is not Space";
}

TEST_F(Keys, SpaceHeldWhileTheFocusLeavesLetsTheButtonUpWithoutAClick) {
    const auto clicks = record(b, &elboton::Click);
    b->setFocus();
    send_key(b, QEvent::KeyPress, Qt::Key_Space);
    close->setFocus();
    send_key(b, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_TRUE(clicks->empty());
    EXPECT_FALSE(b->held_by_space());
    EXPECT_EQ(colorref_at(shot(*b), 58, 0), 0x95AAA0u);
}

TEST_F(Keys, TheCloseGlyphClicksOnSpaceOrEnterAndShowsItsMarkInItsOwnColourOnlyAfterKeyboardUse) {
    const auto clicks = record(close, &SymbolLabel::Click);
    close->setFocus(Qt::MouseFocusReason);
    const QImage quiet = shot(*close);
    EXPECT_NE(colorref_at(quiet, 0, 0), 0xE0E0E0u) << "no mark before the keyboard is used";
    press_key(close, Qt::Key_Space);
    press_key(close, Qt::Key_Return);
    EXPECT_EQ(clicks->size(), 2u);
    const QImage marked = shot(*close);
    EXPECT_EQ(colorref_at(marked, 0, 0), 0xE0E0E0u) << "the dotted mark in the glyph's colour";
    EXPECT_NE(colorref_at(marked, 1, 0), 0xE0E0E0u);
    b->setFocus();
    EXPECT_EQ(shot(*close), quiet) << "the mark goes with the focus";
}

TEST_F(Keys, AButtonsMarkIsADottedRectangleInItsLightColourTwoPixelsInsideTheEdge) {
    b->setFocus(Qt::MouseFocusReason);
    const QImage quiet = shot(*b);
    host.setAttribute(Qt::WA_KeyboardFocusChange);  // what Tab does to the window
    b->update();
    const QImage marked = shot(*b);
    int changed = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 117; ++x) {
            if (marked.pixel(x, y) == quiet.pixel(x, y)) continue;
            ++changed;
            const bool on_mark = (x == 2 || x == 114 || y == 2 || y == 21) && x >= 2 && x <= 114 && y >= 2 && y <= 21;
            EXPECT_TRUE(on_mark && (x + y) % 2 == 0) << x << "," << y;
            EXPECT_EQ(colorref_at(marked, x, y), 0x95AAA0u) << x << "," << y;
        }
    EXPECT_GT(changed, 100);
}

TEST_F(Keys, AScreenReaderHearsTheButtonsCaptionAsItIsNowAndCanPressIt) {
    const auto clicks = record(b, &elboton::Click);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(b);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->role(), QAccessible::Button);
    EXPECT_EQ(reader->text(QAccessible::Name), "Load Picture");
    b->set_Caption("Make Background");
    EXPECT_EQ(reader->text(QAccessible::Name), "Make Background");
    reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks->size(), 1u);
    b->set_Enabled(false);
    reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks->size(), 1u) << "a disabled button cannot be pressed this way either";
}

}  // namespace
}  // namespace morvane::controls
