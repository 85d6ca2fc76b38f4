#pragma once
// `main` on Windows: a borderless popup painted from the core's pixels (the form's colour, frames, labels, the
// preview), with the system's own controls where the user acts: owner-drawn buttons for "Make Background",
// "Load Picture" and the close glyph, an owner-drawn drop-down list for the resolution. They bring focus, Tab
// order, keys, the drop-down list and accessibility from the system; the core paints every one of them.
#include "app/forms/main_form.h"
#include "app/win/progress_window.h"
#include "app/win/window_shell.h"
#include "controls/core/text.h"
#include "platform/win/window_handle.h"

#include <memory>

namespace morvane::app {

// The children's identifiers, in Tab order.
enum ChildId : int { kResolutionListId = 101, kMakeBackgroundId, kLoadPictureId, kCloseGlyphId };

class MainWindow : public MainView {
public:
    // Makes the window hidden, its children, and runs Form_Load (rounded, opacity 0, the list filled).
    MainWindow(MainServices services, TwipsPerPixel ratios, const controls::FontSpec& window_font,
               controls::TextService& text);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Centred on the screen's work area and shown; the first activation then runs Form_Activate from the loop.
    void show();
    // Hidden at once, for the end of the program: a fade still running stops.
    void hide();

    MainForm& form() { return form_; }
    WindowHandle window() const { return window_; }
    WindowHandle child(ChildId id) const;
    ProgressWindow* progress() const { return progress_.get(); }
    const Image32& pixels() const { return pixels_; }  // the client area as last painted
    bool focus_mark_shown() const { return focus_shown_; }

    // MainView
    WindowShell& shell() override { return shell_; }
    void picture_changed() override;
    void controls_changed() override;
    void set_input_enabled(bool on) override;
    int focused_row() const override;
    void focus_row(size_t row) override;
    ProgressView& open_progress() override;
    void close_progress() override;
    void set_notice_timer(int milliseconds) override;

    // For the window procedures.
    intptr_t handle(WindowHandle window, unsigned message, uintptr_t w, intptr_t l);
    intptr_t handle_list(WindowHandle list, unsigned message, uintptr_t w, intptr_t l);

private:
    void create_children();
    void fit_list_height();
    void sync_list();
    // Reads focus, held buttons and the keyboard's use from the system into the controls' state, and paints
    // the whole client area again when anything changed (or always, when `force`).
    void refresh(bool force);
    void command(int id, int code);
    void save_focus();
    void restore_focus();

    MainServices services_;
    MainForm form_;
    TwipsPerPixel ratios_;
    controls::FontSpec font_;
    controls::TextService& text_;
    Image32 pixels_;
    WindowHandle window_ = nullptr;
    WindowHandle list_ = nullptr, build_ = nullptr, load_ = nullptr, close_ = nullptr;
    WindowHandle saved_focus_ = nullptr;
    HwndShell shell_;
    std::unique_ptr<ProgressWindow> progress_;
    bool focus_shown_ = false;   // the keyboard has been used: the focus mark shows
    bool activation_posted_ = false;
    bool held_[3] = {false, false, false};  // Make Background, Load Picture, close glyph, as last drawn
};

}  // namespace morvane::app
