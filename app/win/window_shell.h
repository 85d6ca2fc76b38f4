#pragma once
// The effects' view of a top-level HWND, and the system's cursor.
#include "app/forms/window_shell.h"
#include "platform/win/window_handle.h"

namespace morvane::app {

class HwndShell : public WindowShell {
public:
    explicit HwndShell(WindowHandle window = nullptr) : window_(window) {}
    void attach(WindowHandle window) { window_ = window; }
    void mark_gone() { gone_ = true; }

    int width_pixels() const override;
    int height_pixels() const override;
    void set_region(const RoundRegion& region) override;
    void set_opacity(int16_t opacity) override;
    void move_to(ScreenPoint top_left) override;
    bool gone() const override;

private:
    WindowHandle window_;
    bool gone_ = false;
};

class SystemCursor : public CursorSource {
public:
    ScreenPoint screen_position() const override;
};

}  // namespace morvane::app
