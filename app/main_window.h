#pragma once
// The main window `main`: the picture, the resolution choice, the build command, the title line that
// drags the window and the close glyph that ends the program. Its first activation locates the game.
#include "app/form_builder.h"
#include "app/forms/game_location.h"
#include "platform/image32.h"
#include "platform/picture_surface.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace morvane::app::form_fx {
class FormFx;
}
namespace morvane {
class FileDialog;
class MessageBox;
}
namespace morvane::controls {
class elboton;
class elcombo;
class elframe;
class SymbolLabel;
}
namespace morvane::texture {
class TextureModule;
}

namespace morvane::app {

class BuildNotice;
class ProcessInstance;
class PictureView;
class TextLabel;

// What the window reaches outside itself. The program hands in the real ones; tests script them.
struct MainServices {
    std::filesystem::path program_folder;              // config.dat lives here (settings_location.h)
    FileDialog* dialog = nullptr;             // the CM open-file dialog
    MessageBox* messages = nullptr;
    form_fx::FormFx* fx = nullptr;
    ProcessInstance* process = nullptr;                // the program-wide progress window
    texture::TextureModule* texture = nullptr;          // the texture module's state
    std::function<void()> yield;                       // the message loop, once per mip level
    MaterialWriter write_vmt;
    std::function<std::vector<std::string>()> find_games;  // game folders Steam knows of (the first dialog opens there)
    std::function<void(int exit_code)> end_program;    // ends the program at once
};

class main : public QWidget {
public:
    // Form_Load: controls from the stored layout, rounded corners, opacity 0, the resolution list with
    // "1024 x 1024" selected (which scales the built-in picture into Picture2).
    explicit main(MainServices services);
    ~main() override;

    // --- commands, as the controls' events run them -----------------------------------------------------
    void Form_Activate();            // the first call runs the start-up sequence; later calls do nothing
    void load_picture();             // elboton1 Click
    void load_picture_file(const std::string& file);  // as Load Picture does with a chosen file (UTF-8)
    void load_at_start(std::string file);             // `morvane PICTURE`: loaded once the game is located
    void make_background();          // elboton2 Click
    void end_program(int exit_code); // Label2 Click (0), start-up failures (1)

    // --- state, readable by tests -------------------------------------------------------------------
    const std::string& console_path() const { return console_path_; }
    bool activated() const { return activated_; }
    bool ended() const { return ended_; }
    bool building() const { return building_; }
    PictureSurface& Picture1() { return loaded_picture_; }
    PictureSurface& Picture2() { return scaled_picture_; }
    PictureSurface& Source_Buffer() { return source_buffer_; }
    PictureSurface& Temp_Buffer() { return temp_buffer_; }
    controls::elcombo& elcombo1() { return *resolution_list_; }
    controls::elboton& elboton1() { return *load_button_; }
    controls::elboton& elboton2() { return *build_button_; }
    const BuiltForm& controls() const { return controls_; }
    const BuildNotice& notice() const { return *notice_; }  // the word after a build

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;  // a picture file dropped loads like Load Picture
    void dropEvent(QDropEvent* event) override;

private:
    void rescale_picture();
    void set_picture(const Image32& picture);
    void connect_controls();
    void set_keyboard_order();

    MainServices services_;
    std::string console_path_;
    bool activated_ = false;
    bool ended_ = false;
    bool building_ = false;
    std::string start_picture_;

    PictureSurface loaded_picture_;  // Picture1: the picture as loaded, at its own size
    PictureSurface scaled_picture_;  // Picture2: stretched to the chosen output size, and shown
    PictureSurface source_buffer_;   // Source_Buffer: what the texture is built from
    PictureSurface temp_buffer_;     // Temp_Buffer: the build's scratch surface

    BuiltForm controls_;
    controls::elcombo* resolution_list_ = nullptr;  // elcombo1
    controls::elboton* load_button_ = nullptr;
    controls::elboton* build_button_ = nullptr;
    PictureView* scaled_picture_view_ = nullptr;
    TextLabel* title_ = nullptr;
    controls::SymbolLabel* close_glyph_ = nullptr;
    BuildNotice* notice_ = nullptr;
};

}  // namespace morvane::app
