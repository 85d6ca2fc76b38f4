// The platform's own dialogs: what the user sees in them and what a cancel gives back.
#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "tests/support/temp_folder.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(FileDialogFilter, BarSeparatedPairsBecomeQtNameFilters) {
    EXPECT_EQ(morvane::qt_name_filters("hl2.exe (hl2.exe)|hl2.exe"), "hl2.exe (hl2.exe)");
    EXPECT_EQ(morvane::qt_name_filters("Pictures|*.bmp|All files|*.*"), "Pictures (*.bmp);;All files (*.*)");
}

// Runs `look` on the first modal window once it is up, then closes it.
void when_shown(std::function<void(QWidget&)> look) {
    QTimer::singleShot(50, [look] {
        QWidget* shown = QApplication::activeModalWidget();
        ASSERT_NE(shown, nullptr);
        look(*shown);
        if (auto* dialog = qobject_cast<QDialog*>(shown)) dialog->reject();
    });
}

TEST(QtDialogs, ShowTheProgramsTitleTextAndFilterAndReadACancelAsAnEmptyName) {
    int looked = 0;
    when_shown([&](QWidget& shown) {
        auto* box = qobject_cast<QMessageBox*>(&shown);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Morvane");
        EXPECT_EQ(box->text(), "error");
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        ++looked;
    });
    morvane::QtMessageBox().show("error");
    when_shown([&](QWidget& shown) {
        auto* dialog = qobject_cast<QFileDialog*>(&shown);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Load Picture...");
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Picture File(*.bmp,*.jpg) (*.bmp *.jpg)"});
        ++looked;
    });
    morvane::QtFileDialog dialog;
    dialog.title = "Load Picture...";
    dialog.filter = "Picture File(*.bmp,*.jpg)|*.bmp;*.jpg";
    dialog.show_open();
    EXPECT_EQ(looked, 2);
    EXPECT_EQ(dialog.file_name, "");
}

TEST(QtDialogs, TheGameDialogOpensInTheFolderItIsGivenWithNoFileChosenAndOffersEveryProgramName) {
    const morvane::testing::TempFolder game;
    int looked = 0;
    when_shown([&](QWidget& shown) {
        auto* dialog = qobject_cast<QFileDialog*>(&shown);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(QFileInfo(dialog->directory().absolutePath()), QFileInfo(QString::fromStdString(game.path().string())));
        EXPECT_EQ(dialog->nameFilters(), QStringList{"The game's program (hl2_linux hl2.sh hl2.exe)"});
        ++looked;
    });
    morvane::QtFileDialog dialog;
    dialog.folder = game.path().string();
    dialog.title = "Locate Your hl2.exe file.";
    dialog.filter = "The game's program (hl2_linux hl2.sh hl2.exe)|hl2_linux;hl2.sh;hl2.exe";
    dialog.show_open();
    EXPECT_EQ(looked, 1);
    EXPECT_EQ(dialog.file_name, "");
}

}  // namespace
