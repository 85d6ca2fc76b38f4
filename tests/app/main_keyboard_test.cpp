// The main window from the keyboard and for screen readers: the Tab order, Space and Enter, the focus mark
// that appears only once the keyboard has been used, no keys or drops during a build, each control's name
// and role. How one control answers a key is the controls' own tests' business.
#include "main_window_fixture.h"

#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elprogress.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

namespace morvane::testing {
namespace {

class Keyboard : public MainWindowTest {
protected:
    // A fresh start on screen: the window activated, the focus where the window system puts it.
    app::main& start() {
        auto& w = open_located();
        w.show();
        w.activateWindow();
        QApplication::processEvents();
        return w;
    }
    // A key goes down and up where the keyboard sends it: the focused control, or `to`.
    static void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QWidget* to = nullptr) {
        if (!to) to = QApplication::focusWidget();
        ASSERT_NE(to, nullptr) << "no control has the focus";
        for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, code, modifiers);
            QApplication::sendEvent(to, &event);
        }
    }
    static QRgb pixel(QWidget* widget, QPoint at) { return widget->grab().toImage().pixel(at); }
};

TEST_F(Keyboard, AFreshWindowStartsWithTheFocusOnTheResolutionList) {
    auto& w = start();
    EXPECT_EQ(QApplication::focusWidget(), w.elcombo1().list_control());
}

TEST_F(Keyboard, WithoutTheKeyboardUsedTheWindowShowsNoFocusMark) {
    auto& w = start();
    const QImage before = w.grab().toImage();
    w.elboton1().setFocus(Qt::MouseFocusReason);  // as a click on it does
    click(&w.elboton1());                         // the dialog is cancelled
    EXPECT_EQ(w.grab().toImage(), before);
}

TEST_F(Keyboard, TabAndShiftTabGoRoundMakeBackgroundLoadPictureTheCloseGlyphAndTheList) {
    auto& w = start();
    QWidget* list = w.elcombo1().list_control();
    QWidget* close = w.controls().find("Label2");
    QWidget* make = &w.elboton2();
    QWidget* load = &w.elboton1();
    list->setFocus(Qt::MouseFocusReason);
    for (QWidget* next : {make, load, close, list, make}) {
        key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    for (QWidget* previous : {list, close, load, make}) {
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), previous) << previous->objectName().toStdString();
    }
}

TEST_F(Keyboard, AfterTabOnlyTheFocusedControlShowsItsMarkInItsSkinsLightColour) {
    auto& w = start();
    QWidget* make = &w.elboton2();
    key(Qt::Key_Tab);  // from the list to Make Background
    ASSERT_EQ(QApplication::focusWidget(), make);
    const QRgb fill = qRgb(0x64, 0x64, 0x64), light = qRgb(0xA0, 0xAA, 0x95);  // BackColor, Color3DLight
    EXPECT_EQ(pixel(make, {2, 2}), light) << "the dotted mark, two pixels inside the edge";
    EXPECT_EQ(pixel(&w.elboton1(), {2, 2}), fill);
    key(Qt::Key_Backtab, Qt::ShiftModifier);  // the list: its mark round the text in its own light colour
    EXPECT_EQ(pixel(&w.elcombo1(), {2, 2}), qRgb(0x88, 0x91, 0x80));
    EXPECT_EQ(pixel(make, {2, 2}), fill);
}

TEST_F(Keyboard, ReturnAndTheKeypadsEnterOnLoadPictureOpenTheDialog) {
    auto& w = start();
    w.elboton1().setFocus(Qt::TabFocusReason);
    key(Qt::Key_Return);  // the dialog is cancelled
    key(Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(dialog.shown.size(), 2u);
    EXPECT_EQ(dialog.shown[0].title, "Load Picture...");
}

TEST_F(Keyboard, SpaceOnMakeBackgroundBuildsAndTheFocusComesBackSoThatASecondSpaceBuildsAgain) {
    auto& w = start();
    w.elboton2().setFocus(Qt::TabFocusReason);
    key(Qt::Key_Space);
    EXPECT_EQ(fs::file_size(texture_file()), 1398320u);
    EXPECT_EQ(QApplication::focusWidget(), &w.elboton2());
    key(Qt::Key_Space);
    EXPECT_EQ(process.times_created(), 2);
    EXPECT_TRUE(dialog.shown.empty());
}

TEST_F(Keyboard, KeysAndDroppedPicturesDuringABuildDoNothing) {
    auto& w = start();
    const auto built_in = w.Picture1().image().bytes;
    const fs::path wide = wide_picture("wide.bmp");
    w.elboton2().setFocus(Qt::TabFocusReason);
    int yields_in_build = 0;
    bool taken = false;
    during_yield = [&] {
        if (yields_in_build++ > 0) return;
        for (QWidget* to : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&w.elboton2()),
                            static_cast<QWidget*>(&w.elboton1()), w.controls().find("Label2"),
                            static_cast<QWidget*>(w.elcombo1().list_control())}) {
            for (int code : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Space, Qt::Key_Down}) key(code, Qt::NoModifier, to);
        }
        taken = drop({wide});
    };
    key(Qt::Key_Return);
    EXPECT_GT(yields_in_build, 1);
    EXPECT_EQ(process.times_created(), 1) << "no second build";
    EXPECT_TRUE(dialog.shown.empty()) << "no picture dialog";
    EXPECT_FALSE(exit_code.has_value()) << "the close glyph did not end the program";
    EXPECT_EQ(w.elcombo1().GetListIndex(), 0) << "the resolution stayed";
    EXPECT_FALSE(taken);
    EXPECT_EQ(w.Picture1().image().bytes, built_in) << "the dropped picture was not loaded";
    EXPECT_EQ(QApplication::focusWidget(), &w.elboton2());
}

TEST_F(Keyboard, EachControlTellsAScreenReaderItsRoleAndCaption) {
    auto& w = start();
    const struct {
        QWidget* control;
        QAccessible::Role role;
        QString name;
    } expected[] = {
        {&w.elboton2(), QAccessible::Button, "Make Background"},
        {&w.elboton1(), QAccessible::Button, "Load Picture"},
        {w.controls().find("Label2"), QAccessible::Button, "Close"},
        {&w.elcombo1(), QAccessible::Grouping, "Resolution"},
        {w.controls().find("Label1"), QAccessible::StaticText, "MORVANE v1.0"},
        {w.controls().find("Label3"), QAccessible::StaticText, "Resolution:"},
        {w.controls().find("elframe2"), QAccessible::Grouping, ""},
    };
    for (const auto& c : expected) {
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(c.control);
        ASSERT_NE(reader, nullptr) << c.name.toStdString();
        EXPECT_EQ(reader->role(), c.role) << c.name.toStdString();
        EXPECT_EQ(reader->text(QAccessible::Name), c.name);
    }
}

// The list itself is Qt's own combo box: its value is the chosen entry, its name the control's caption (on
// Windows; elsewhere Qt names a combo box by its value and the reader takes the caption from the group).
TEST_F(Keyboard, TheResolutionListTellsAScreenReaderTheChosenEntryInsideTheResolutionGroup) {
    auto& w = start();
    QWidget* list = w.elcombo1().list_control();
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(list);
    EXPECT_EQ(reader->role(), QAccessible::ComboBox);
    EXPECT_EQ(reader->text(QAccessible::Value), "1024 x 1024");
    EXPECT_EQ(list->accessibleName(), "Resolution");
    EXPECT_EQ(reader->parent(), QAccessible::queryAccessibleInterface(&w.elcombo1()));
}

TEST_F(Keyboard, TheProgressBarTellsAScreenReaderItsValueMaximumAndPercentage) {
    start();
    morvane::controls::elprogress& bar = process.get().elprogress1();  // the progress window's bar, during a build
    bar.set_Max(11);
    bar.set_Value(6);
    QAccessibleInterface* progress = QAccessible::queryAccessibleInterface(&bar);
    EXPECT_EQ(progress->role(), QAccessible::ProgressBar);
    ASSERT_NE(progress->valueInterface(), nullptr);
    EXPECT_EQ(progress->valueInterface()->currentValue().toInt(), 6);
    EXPECT_EQ(progress->valueInterface()->maximumValue().toInt(), 11);
    EXPECT_EQ(progress->text(QAccessible::Value), "54%");
    process.unload();
}

TEST_F(Keyboard, PressingLoadPictureThroughAScreenReaderClicksIt) {
    auto& w = start();
    QAccessible::queryAccessibleInterface(&w.elboton1())->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    EXPECT_EQ(dialog.shown.size(), 1u);
}

}  // namespace
}  // namespace morvane::testing
