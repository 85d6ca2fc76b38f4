#pragma once
// A main window with every outside service scripted: a game folder and a program folder in a temp folder,
// the open-file dialog answering from a script, message boxes recorded, the message loop observed, and
// ending the program recorded instead of done; and the user's mouse, files dropped on the window, and files
// made read-only.
#include "app/form_fx.h"
#include "app/forms/game_location.h"
#include "app/main_window.h"
#include "app/process_window.h"
#include "platform/system/file_dialog.h"
#include "platform/system/message_box.h"
#include "tests/support/temp_folder.h"
#include "texture/vtfmod.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvane::testing {

namespace fs = std::filesystem;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : process(fx) {
        fs::create_directories(game() / "cstrike" / "materials");
        fs::create_directories(program());
        fx.set_observer(&effects);
        fx.set_cursor(&cursor);
        fx.set_yield([this] { on_yield(); });
    }

    fs::path game() const { return root.path() / "Half-Life 2 \xC3\xBC"; }  // config.dat must give it back unchanged
    fs::path program() const { return root.path() / "program"; }
    fs::path console() const { return game() / "cstrike" / "materials" / "console"; }
    fs::path texture_file() const { return console() / "background01.vtf"; }
    fs::path widescreen_file() const { return console() / "background01_widescreen.vtf"; }
    std::string exe() const { return (game() / "hl2.exe").string(); }

    app::main& open() {
        window = std::make_unique<app::main>(services);
        return *window;
    }
    // A window that has located the game on its first activation.
    app::main& open_located() {
        dialog.answer(exe());
        open().Form_Activate();
        EXPECT_EQ(window->console_path(), console().string());
        messages.shown.clear();
        dialog.shown.clear();
        return *window;
    }
    // A 1600 x 900 picture whose every pixel differs from its neighbours, so that any other scaling shows.
    fs::path wide_picture(const char* name) const {
        QImage image(1600, 900, QImage::Format_RGB32);
        for (int y = 0; y < 900; ++y)
            for (int x = 0; x < 1600; ++x) image.setPixel(x, y, qRgb(x * 255 / 1600, y * 255 / 900, (x ^ y) & 0xFF));
        EXPECT_TRUE(image.save(QString::fromStdString((root.path() / name).string())));
        return root.path() / name;
    }

    // The left button as the user works it: held from press to release.
    static void send_mouse(QWidget* to, QEvent::Type type, QPointF at) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, to->mapToGlobal(at), button, held, {});
        QCoreApplication::sendEvent(to, &event);
    }
    static void click(QWidget* to) {
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) send_mouse(to, type, to->rect().center());
    }
    // A drag from a file manager, entering the window and then dropped; true when the window took it.
    bool drop(const std::vector<fs::path>& files, const std::vector<QUrl>& others = {}) {
        QList<QUrl> urls(others.begin(), others.end());
        for (const fs::path& file : files) urls.push_back(QUrl::fromLocalFile(QString::fromStdString(file.string())));
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window.get(), &enter);
        QDropEvent dropped(QPointF(400, 300), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window.get(), &dropped);
        EXPECT_EQ(enter.isAccepted(), dropped.isAccepted()) << "the cursor promised what the drop does";
        return dropped.isAccepted();
    }
    static void make_read_only(const fs::path& file) {
        fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }

    void on_yield() {
        ++yields;
        if (during_yield) during_yield();
    }

    TempFolder root;
    app::form_fx::Record effects;
    app::form_fx::FixedCursor cursor;
    app::form_fx::FormFx fx;
    app::ProcessInstance process;
    texture::TextureModule texture;
    ScriptedFileDialog dialog;
    RecordingMessageBox messages;
    app::QtMainServices services{.program_folder = program(),
                                      .dialog = &dialog,
                                      .messages = &messages,
                                      .fx = &fx,
                                      .process = &process,
                                      .texture = &texture,
                                      .yield = [this] { on_yield(); },
                                      .write_vmt = app::write_material,
                                      .find_games = {},  // no Steam, unless a test makes one
                                      .end_program = [this](int code) { exit_code = code; }};
    std::unique_ptr<app::main> window;
    std::optional<int> exit_code;
    int yields = 0;
    std::function<void()> during_yield;
};

}  // namespace morvane::testing
