#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "platform/qt/message_loop.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(FileDialogFilter, BarSeparatedPairsBecomeQtNameFilters) {
    EXPECT_EQ(morvane::qt_name_filters("hl2.exe (hl2.exe)|hl2.exe"), "hl2.exe (hl2.exe)");
    EXPECT_EQ(morvane::qt_name_filters("Picture File(*.bmp,*.jpg)|*.bmp;*.jpg"),
              "Picture File(*.bmp,*.jpg) (*.bmp *.jpg)");
    EXPECT_EQ(morvane::qt_name_filters("Pictures|*.bmp|All files|*.*"), "Pictures (*.bmp);;All files (*.*)");
    EXPECT_EQ(morvane::qt_name_filters(""), "");
    EXPECT_EQ(morvane::qt_name_filters("no patterns"), "");
}

TEST(ScriptedDialog, AnswersInOrderThenCancelsAndRemembersWhatItWasAsked) {
    morvane::ScriptedFileDialog dialog;
    dialog.answer("/g/hl2.exe");
    dialog.title = "Locate Your hl2.exe file.";
    dialog.filter = "hl2.exe (hl2.exe)|hl2.exe";
    dialog.file_name = "";
    dialog.show_open();
    EXPECT_EQ(dialog.file_name, "/g/hl2.exe");
    dialog.show_open();
    EXPECT_EQ(dialog.file_name, "");
    ASSERT_EQ(dialog.shown.size(), 2u);
    EXPECT_EQ(dialog.shown[0].title, "Locate Your hl2.exe file.");
    EXPECT_EQ(dialog.shown[0].filter, "hl2.exe (hl2.exe)|hl2.exe");
}

TEST(MessageLoop, AYieldHandlesWhatIsPendingAndReturns) {
    int handled = 0;
    QTimer::singleShot(0, [&] { ++handled; });
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { ++handled; }, Qt::QueuedConnection);
    morvane::yield_to_message_loop();
    EXPECT_EQ(handled, 2);
}

}  // namespace
