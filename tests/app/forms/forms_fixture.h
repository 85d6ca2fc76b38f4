#pragma once
// The main window's logic with every outside service scripted and no host: a game folder and a program folder
// in a temp folder, the open-file dialog answering from a script, message boxes recorded, a window shell and a
// progress window that record what they were asked, pictures "decoded" from a table.
#include "app/core/utf8_path.h"
#include "app/forms/main_form.h"
#include "app/forms/window_effects.h"
#include "platform/system/file_dialog.h"
#include "platform/system/message_box.h"
#include "tests/support/box_text.h"
#include "tests/support/scripted_services.h"
#include "tests/support/temp_folder.h"
#include "texture/vtfmod.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace morvane::testing {

namespace fs = std::filesystem;

// What the effects did to a window, in order.
class RecordedShell : public app::WindowShell {
public:
    int width = 820, height = 711;
    std::vector<app::RoundRegion> regions;
    std::vector<int> opacities;
    std::vector<app::ScreenPoint> moves;
    bool closed = false;
    int width_pixels() const override { return width; }
    int height_pixels() const override { return height; }
    void set_region(const app::RoundRegion& region) override { regions.push_back(region); }
    void set_opacity(int16_t opacity) override { opacities.push_back(opacity); }
    void move_to(app::ScreenPoint top_left) override { moves.push_back(top_left); }
    bool gone() const override { return closed; }
};

class FixedCursor : public app::CursorSource {
public:
    app::ScreenPoint position;
    app::ScreenPoint screen_position() const override { return position; }
};

class RecordedMainView : public app::MainView, public app::ProgressView {
public:
    RecordedShell main_shell;
    std::optional<app::WindowControls> progress;  // while the progress window is open
    int progress_windows = 0;
    std::vector<int> bar_values;  // the bar's Value at each repaint
    int bar_max = 0;
    std::vector<bool> input;
    int pictures = 0;
    int notice_timer = 0;  // the last time asked for, 0 when stopped
    int focused = -1;      // the row with the keyboard focus

    app::WindowShell& shell() override { return main_shell; }
    void picture_changed() override { ++pictures; }
    void controls_changed() override {}
    void set_input_enabled(bool on) override { input.push_back(on); }
    int focused_row() const override { return focused; }
    void focus_row(size_t row) override { focused = int(row); }
    app::ProgressView& open_progress() override {
        progress.emplace(app::process_form_definition(), TwipsPerPixel{}, controls::FontSpec{});
        ++progress_windows;
        return *this;
    }
    void close_progress() override { progress.reset(); }
    void set_notice_timer(int milliseconds) override { notice_timer = milliseconds; }
    app::WindowControls& controls() override { return *progress; }
    void bar_changed() override {
        const controls::elprogress& bar = progress->at(app::process_rows::elprogress1).progress;
        bar_values.push_back(bar.Value());
        bar_max = bar.Max();
    }
};

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() {
        fs::create_directories(game() / "cstrike" / "materials");
        fs::create_directories(program());
    }

    // config.dat must give the name back unchanged, in every system's own encoding of it.
    fs::path game() const { return root.path() / app::path_from_utf8("Half-Life 2 \xC3\xBC"); }
    fs::path program() const { return root.path() / "program"; }
    fs::path console() const { return game() / "cstrike" / "materials" / "console"; }
    std::string console_utf8() const { return app::utf8_from_path(console()); }
    std::string exe() const { return app::utf8_from_path(game() / "hl2.exe"); }

    app::MainForm& open() {
        form.emplace(services, TwipsPerPixel{}, controls::FontSpec{});
        form->Form_Load(view);
        return *form;
    }
    app::MainForm& open_located() {
        dialog.answer(exe());
        open().Form_Activate();
        EXPECT_EQ(form->console_path(), console_utf8());
        dialog.shown.clear();
        return *form;
    }

    LoadedPicture load(const fs::path& file) {
        const auto found = pictures.find(file.string());
        if (found == pictures.end()) return LoadedPicture::failed("\"" + file.string() + "\" is damaged or incomplete.");
        return LoadedPicture::made(found->second);
    }

    TempFolder root;
    FixedCursor cursor;
    int yields = 0;
    app::WindowEffects fx{cursor, [this] { ++yields; }};
    texture::TextureModule texture;
    ScriptedFileDialog dialog;
    RecordingMessageBox messages;
    RecordedMainView view;
    std::map<std::string, Image32> pictures;
    std::optional<int> exit_code;
    std::function<void()> during_yield;  // what the user or the system does while the build runs
    app::MainServices services{.program_folder = program(),
                               .dialog = &dialog,
                               .messages = &messages,
                               .fx = &fx,
                               .texture = &texture,
                               .yield = [this] {
                                   ++yields;
                                   if (during_yield) during_yield();
                               },
                               .write_vmt = app::write_material,
                               .find_games = {},
                               .load_picture = [this](const fs::path& file) { return load(file); },
                               .end_program = [this](int code) { exit_code = code; }};
    std::optional<app::MainForm> form;
};

}  // namespace morvane::testing
