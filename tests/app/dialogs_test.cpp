#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "platform/qt/message_loop.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

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

namespace {

// Runs `look` on the first modal window once it is up, then closes it.
void when_shown(std::function<void(QWidget&)> look) {
    QTimer::singleShot(50, [look] {
        QWidget* shown = QApplication::activeModalWidget();
        ASSERT_NE(shown, nullptr);
        look(*shown);
        if (auto* dialog = qobject_cast<QDialog*>(shown)) dialog->reject();
    });
}

TEST(QtMessageBox, IsAPlainOkBoxWithTheTextAndTheApplicationsTitle) {
    bool looked = false;
    when_shown([&](QWidget& shown) {
        auto* box = qobject_cast<QMessageBox*>(&shown);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Morvane");
        EXPECT_EQ(box->text(), "error");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        looked = true;
    });
    morvane::QtMessageBox().show("error");
    EXPECT_TRUE(looked);
}

TEST(QtFileDialog, ShowsTheTitleAndFilterAndReadsACancelAsAnEmptyName) {
    bool looked = false;
    when_shown([&](QWidget& shown) {
        auto* dialog = qobject_cast<QFileDialog*>(&shown);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Load Picture...");
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Picture File(*.bmp,*.jpg) (*.bmp *.jpg)"});
        looked = true;
    });
    morvane::QtFileDialog dialog;
    dialog.file_name = "";
    dialog.title = "Load Picture...";
    dialog.filter = "Picture File(*.bmp,*.jpg)|*.bmp;*.jpg";
    dialog.show_open();
    EXPECT_TRUE(looked);
    EXPECT_EQ(dialog.file_name, "");
}

}  // namespace
