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

// Runs `look` on the first modal window once it is up, then closes it.
void when_shown(std::function<void(QWidget&)> look) {
    QTimer::singleShot(50, [look] {
        QWidget* shown = QApplication::activeModalWidget();
        ASSERT_NE(shown, nullptr);
        look(*shown);
        if (auto* dialog = qobject_cast<QDialog*>(shown)) dialog->reject();
    });
}

TEST(QtDialogs, ShowTheProgramsTitleTextAndFilterOpenInTheFolderGivenAndReadACancelAsAnEmptyName) {
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
    EXPECT_EQ(looked, 1);

    const morvane::testing::TempFolder game;
    const struct {
        std::string title, filter, folder;
        QString shown_filter;
    } dialogs[] = {
        {"Load Picture...", "Picture File(*.bmp,*.jpg)|*.bmp;*.jpg", "", "Picture File(*.bmp,*.jpg) (*.bmp *.jpg)"},
        {"Locate Your cstrike.sh or hl2.sh file.", "The game's program (cstrike.sh hl2.sh)|cstrike.sh;hl2.sh",
         game.path().string(), "The game's program (cstrike.sh hl2.sh)"},
    };
    for (const auto& d : dialogs) {
        when_shown([&](QWidget& shown) {
            auto* dialog = qobject_cast<QFileDialog*>(&shown);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QString::fromStdString(d.title));
            EXPECT_EQ(dialog->nameFilters(), QStringList{d.shown_filter});
            if (!d.folder.empty()) {
                EXPECT_EQ(QFileInfo(dialog->directory().absolutePath()), QFileInfo(QString::fromStdString(d.folder)));
            }
            ++looked;
        });
        morvane::QtFileDialog dialog;
        dialog.folder = d.folder;
        dialog.title = d.title;
        dialog.filter = d.filter;
        dialog.show_open();
        EXPECT_EQ(dialog.file_name, "");
    }
    EXPECT_EQ(looked, 3);
    EXPECT_EQ(morvane::qt_name_filters("Pictures|*.bmp|All files|*.*"), "Pictures (*.bmp);;All files (*.*)");
}

}  // namespace
