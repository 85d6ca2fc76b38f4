#pragma once
// The main window `main` on Linux: the Qt host of the main window's logic (app/forms/main_form.h). It builds
// the controls from the stored layout, turns their events into the logic's calls, and does what the logic asks
// of a window: its outline and opacity, the preview, the progress window, the notice, taking input away.
#include "app/form_builder.h"
#include "app/forms/game_location.h"
#include "app/forms/main_form.h"
#include "platform/pictures/image32.h"
#include "platform/pictures/picture_surface.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
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
struct QtMainServices {
    std::filesystem::path program_folder;              // config.dat lives here (settings_location.h)
    FileDialog* dialog = nullptr;                      // the CM open-file dialog
    MessageBox* messages = nullptr;
    form_fx::FormFx* fx = nullptr;
    ProcessInstance* process = nullptr;                // the program-wide progress window
    texture::TextureModule* texture = nullptr;         // the texture module's state
    std::function<void()> yield;                       // the message loop, once per mip level
    MaterialWriter write_vmt;
    std::function<std::vector<std::string>()> find_games;  // game folders Steam knows of (the first dialog opens there)
    std::function<void(int exit_code)> end_program;    // ends the program at once
};

class main : public QWidget, private MainView {
public:
    // Form_Load: controls from the stored layout, rounded corners, opacity 0, the resolution list with
    // "1024 x 1024" selected (which scales the built-in picture into Picture2).
    explicit main(QtMainServices services);
    ~main() override;

    // --- commands, as the controls' events run them -----------------------------------------------------
    void Form_Activate() { form_->Form_Activate(); }
    void load_picture() { form_->load_picture(); }
    void load_picture_file(const std::string& file) { form_->load_picture_file(file); }
    void load_at_start(std::string file) { form_->load_at_start(std::move(file)); }
    void make_background() { form_->make_background(); }
    void end_program(int exit_code) { form_->end_program(exit_code); }

    // --- state, readable by tests -------------------------------------------------------------------
    const std::string& console_path() const { return form_->console_path(); }
    bool activated() const { return form_->activated(); }
    bool ended() const { return form_->ended(); }
    bool building() const { return form_->building(); }
    PictureSurface& Picture1() { return form_->Picture1(); }
    PictureSurface& Picture2() { return form_->Picture2(); }
    PictureSurface& Source_Buffer() { return form_->Source_Buffer(); }
    PictureSurface& Temp_Buffer() { return form_->Temp_Buffer(); }
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
    class List;

    // --- MainView ---
    WindowShell& shell() override;
    ResolutionList& resolution_list() override;
    void picture_changed() override;
    void controls_changed() override;
    void set_input_enabled(bool on) override;
    ProgressView& open_progress() override;
    void close_progress() override;

    void connect_controls();
    void set_keyboard_order();

    QtMainServices services_;
    std::unique_ptr<MainForm> form_;
    BuiltForm controls_;
    controls::elcombo* resolution_list_ = nullptr;  // elcombo1
    controls::elboton* load_button_ = nullptr;
    controls::elboton* build_button_ = nullptr;
    PictureView* scaled_picture_view_ = nullptr;
    TextLabel* title_ = nullptr;
    controls::SymbolLabel* close_glyph_ = nullptr;
    BuildNotice* notice_ = nullptr;
    std::unique_ptr<List> list_;
    QWidget* focused_before_build_ = nullptr;
};

}  // namespace morvane::app
