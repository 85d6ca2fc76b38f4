#pragma once
// `process` on Windows: a borderless popup over the main window, rounded and at opacity 150, painted from the
// core's pixels; its bar is the system's own progress control (so that screen readers hear a progress bar and
// its value), painted by the core too.
#include "app/forms/main_form.h"
#include "app/win/window_shell.h"
#include "controls/core/text.h"
#include "platform/win/window_handle.h"

namespace morvane::app {

class ProgressWindow : public ProgressView {
public:
    // Made hidden, then shaped and made translucent through `fx`, then shown centred over `owner`.
    ProgressWindow(WindowHandle owner, WindowEffects& fx, TwipsPerPixel ratios, const controls::FontSpec& font,
                   controls::TextService& text);
    ~ProgressWindow() override;
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    WindowControls& controls() override { return controls_; }
    void bar_changed() override;

    WindowHandle window() const { return window_; }
    WindowHandle bar() const { return bar_; }
    const Image32& pixels() const { return pixels_; }  // the whole client area as last painted

    // The window procedures' way back to their object.
    void paint(WindowHandle target);

private:
    void repaint();

    WindowControls controls_;
    controls::TextService& text_;
    Image32 pixels_;
    WindowHandle window_ = nullptr;
    WindowHandle bar_ = nullptr;
    HwndShell shell_;
};

}  // namespace morvane::app
