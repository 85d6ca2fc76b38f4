#pragma once
// The main window `main` as logic, apart from any host: the picture, the resolution choice, the build command
// with its progress window and the notice after it, the title line that drags the window and the close glyph
// that ends the program; its first activation locates the game. The host window (Windows' here, and any other)
// shows what this holds, turns its events into these calls, and does what the view interface asks.
#include "app/forms/build_command.h"
#include "app/forms/game_location.h"
#include "app/forms/window_controls.h"
#include "app/forms/window_effects.h"
#include "platform/codecs/loaded_picture.h"
#include "platform/pictures/picture_surface.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvane {
class FileDialog;
class MessageBox;
}
namespace morvane::texture {
class TextureModule;
}

namespace morvane::app {

inline constexpr const char* kLoadTitle = "Load Picture...";
inline const std::string kLoadFilter = load_filter();  // platform/codecs/picture_kinds.h
inline constexpr int16_t kFadedInOpacity = 230;
inline constexpr int16_t kProgressOpacity = 150;
inline constexpr int kNoticeMilliseconds = 6000;  // how long the word after a build stays

// The progress window as the build sees it: the host made it (rounded, at opacity 150, on screen) and shows
// the bar of its controls.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual WindowControls& controls() = 0;  // process_rows::elprogress1 among them
    virtual void bar_changed() = 0;          // repaint the bar
};

// What the logic asks of the host's main window.
class MainView {
public:
    virtual ~MainView() = default;
    virtual WindowShell& shell() = 0;
    virtual void picture_changed() = 0;          // Picture2 holds a new picture: repaint the preview
    virtual void controls_changed() = 0;          // a control's look or the notice changed: repaint them
    virtual void set_input_enabled(bool on) = 0;  // no input while a build runs
    // The row (main_rows) of the control with the keyboard focus, or -1; and giving it to one.
    virtual int focused_row() const = 0;
    virtual void focus_row(size_t row) = 0;
    virtual ProgressView& open_progress() = 0;    // `process`, made afresh (an empty bar) and shown
    virtual void close_progress() = 0;            // unloaded
    // Calls MainForm::hide_notice after `milliseconds`; 0 stops a timer that runs.
    virtual void set_notice_timer(int milliseconds) = 0;
};

struct MainServices {
    std::filesystem::path program_folder;  // config.dat lives here (app/core/settings_location.h)
    FileDialog* dialog = nullptr;          // the CM open-file dialog
    MessageBox* messages = nullptr;
    WindowEffects* fx = nullptr;
    texture::TextureModule* texture = nullptr;  // the texture module's state
    std::function<void()> yield;                 // the message loop, once per mip level
    MaterialWriter write_vmt;
    std::function<std::vector<std::string>()> find_games;  // game folders Steam knows of
    std::function<LoadedPicture(const std::filesystem::path&)> load_picture;  // the system's picture loader
    std::function<void(int exit_code)> end_program;        // ends the program at once
};

// The services as both programs give them to the window: the settings folder for the program's folder, the
// message loop's yield, the material writer and Steam's game folders beside the host's own dialog, message box,
// effects, texture module and picture loader; each host adds its way to end.
MainServices system_services(const std::filesystem::path& program_folder, FileDialog& dialog, MessageBox& messages,
                             WindowEffects& fx, texture::TextureModule& texture,
                             std::function<LoadedPicture(const std::filesystem::path&)> load_picture);

class MainForm {
public:
    // The controls from the stored layout and the built-in picture; nothing shown yet.
    MainForm(MainServices services, TwipsPerPixel ratios, const controls::FontSpec& window_font);

    // Form_Load: rounded corners, opacity 0, the resolution list with "1024 x 1024" selected (which scales
    // the built-in picture into Picture2). The view lives as long as the form. The controls' Clicks reach
    // load_picture, make_background and resolution_clicked.
    void Form_Load(MainView& view);
    void Form_Activate();                             // the first call runs the start-up sequence
    void load_picture();                              // elboton1 Click
    void load_picture_file(const std::string& file);  // as Load Picture does with a chosen file (UTF-8)
    void load_at_start(std::string file);             // `morvane PICTURE`: loaded once the game is located
    void resolution_clicked();                        // elcombo1 Click: the picture at the chosen size
    void make_background();                           // elboton2 Click
    // Label2 Click (0), start-up failures (1), and a close from outside: the system's Close, a session's end.
    // During a build the program ends once the build has written its files, and says so in the notice: the
    // progress window and the buffers stay until then, and the files are never left half-made.
    void end_program(int exit_code);
    void hide_notice();                               // the notice's few seconds are over, or a build starts

    // The title line: the grab point in the window's pixels; the cursor is asked on every move.
    void title_pressed(int x_pixels, int y_pixels);
    void title_moved();
    void title_released();

    const std::string& console_path() const { return console_path_; }
    bool activated() const { return activated_; }
    bool ended() const { return ended_; }
    bool building() const { return building_; }
    bool closing() const { return closing_.has_value(); }  // asked to end during a build
    bool notice_shown() const;
    PictureSurface& Picture1() { return loaded_picture_; }
    PictureSurface& Picture2() { return scaled_picture_; }
    PictureSurface& Source_Buffer() { return source_buffer_; }
    PictureSurface& Temp_Buffer() { return temp_buffer_; }
    WindowControls& controls() { return controls_; }
    controls::elboton& elboton1() { return controls_.at(main_rows::elboton1).button; }  // "Load Picture"
    controls::elboton& elboton2() { return controls_.at(main_rows::elboton2).button; }  // "Make Background"
    controls::elcombo& elcombo1() { return controls_.at(main_rows::elcombo1).combo; }   // the resolution

private:
    void rescale_picture();
    void set_picture(Image32 picture);
    void show_notice(const std::string& text);

    MainServices services_;
    MainView* view_ = nullptr;
    std::string console_path_;
    bool activated_ = false;
    bool ended_ = false;
    bool building_ = false;
    std::optional<int> closing_;  // the exit code a close during the build asked for
    std::string start_picture_;
    WindowControls controls_;
    PictureSurface loaded_picture_;  // Picture1: the picture as loaded, at its own size
    PictureSurface scaled_picture_;  // Picture2: stretched to the chosen output size, and shown
    PictureSurface source_buffer_;   // Source_Buffer: what the texture is built from
    PictureSurface temp_buffer_;     // Temp_Buffer: the build's scratch surface
};

// The sizes of the resolution list's entries, in pixels; 0 for any other position.
int output_size_for(int list_index);

}  // namespace morvane::app
