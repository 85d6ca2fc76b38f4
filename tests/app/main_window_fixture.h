#pragma once
// A main window with every outside service scripted: a game folder and a program folder in a temp folder,
// the open-file dialog answering from a script, message boxes recorded, the message loop observed, and
// ending the program recorded instead of done.
#include "app/core/material_file.h"
#include "app/core/utf8_path.h"
#include "app/form_fx.h"
#include "app/main_window.h"
#include "app/process_window.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "temp_folder.h"
#include "texture/vtfmod.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace morvane::testing {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : process(fx) {
        std::filesystem::create_directories(game() / "cstrike" / "materials");
        std::filesystem::create_directories(program());
        fx.set_observer(&effects);
        fx.set_cursor(&cursor);
        fx.set_yield([this] { on_yield(); });
        services.program_folder = program();
        services.dialog = &dialog;
        services.messages = &messages;
        services.fx = &fx;
        services.process = &process;
        services.texture = &texture;
        services.yield = [this] { on_yield(); };
        services.write_vmt = [](const std::string& console_path) {
            const auto written = morvanemod::write_vmt(morvanemod::path_from_utf8(console_path));
            return morvane_ui::MaterialWriteResult{written.ok, written.error};
        };
        services.end_program = [this](int code) { exit_code = code; };
    }

    std::filesystem::path game() const { return root.path() / "Half-Life 2"; }
    std::filesystem::path program() const { return root.path() / "program"; }
    std::filesystem::path console() const { return game() / "cstrike" / "materials" / "console"; }
    std::filesystem::path texture_file() const { return console() / "background01.vtf"; }
    std::string exe() const { return (game() / "hl2.exe").string(); }

    morvane_ui::main& open() {
        window = std::make_unique<morvane_ui::main>(services);
        return *window;
    }
    // A window that has located the game on its first activation.
    morvane_ui::main& open_located() {
        dialog.answer(exe());
        open().Form_Activate();
        EXPECT_EQ(window->console_path(), console().string());
        messages.shown.clear();
        dialog.shown.clear();
        return *window;
    }

    void on_yield() {
        ++yields;
        if (during_yield) during_yield();
    }

    TempFolder root;
    form_fx::Record effects;
    form_fx::FixedCursor cursor;
    form_fx::FormFx fx;
    morvane_ui::ProcessInstance process;
    vtfmod::TextureModule texture;
    ScriptedFileDialog dialog;
    RecordingMessageBox messages;
    morvane_ui::MainServices services;
    std::unique_ptr<morvane_ui::main> window;
    std::optional<int> exit_code;
    int yields = 0;
    std::function<void()> during_yield;
};

}  // namespace morvane::testing
