#pragma once
// Window effects of the program's borderless windows, over any host's window: a rounded outline, whole-window
// translucency with a fade-in, and dragging the main window by its title label.
//
// One ratio serves everything here: the windows' fixed kTwipsPerPixel. A drag position handed in as twips (the
// grab point times that ratio) and the window position worked out from it use the same ratio, so the window
// follows the cursor pixel for pixel on any screen.
#include "app/forms/window_shell.h"
#include "platform/pictures/twips.h"

#include <cstdint>
#include <functional>

namespace morvane::app {

// The rounding of every window of the program's own: corner ellipses of this width and height, in pixels.
inline constexpr int16_t kWindowCorner = 20;

RoundRegion round_region_for(int width_pixels, int height_pixels, int corner);

// The module: its drag state and its collaborators. The program owns one.
class WindowEffects {
public:
    WindowEffects(const CursorSource& cursor, std::function<void()> yield)
        : cursor_(cursor), yield_(std::move(yield)) {}

    void set_main_window(WindowShell* window) { main_window_ = window; }  // the window drag_move moves
    void set_yield(std::function<void()> yield) { yield_ = std::move(yield); }

    void shape_window(WindowShell& form, int16_t corner);
    void set_opacity(WindowShell& form, int16_t opacity);
    // first, first + step, ... up to last, with one yield before each; nothing when first > last or the
    // step does not advance. Stops early when the window is gone meanwhile (the program is ending).
    void fade_in(WindowShell& form, int16_t first, int16_t last, int32_t step);

    // The grab point, in twips (pixels x kTwipsPerPixel), measured from the window's top-left corner.
    void drag_start(bool dragging, float x_twips, float y_twips);
    void drag_move();
    void drag_stop();

    bool dragging = false;
    float drag_x = 0;  // twips
    float drag_y = 0;  // twips

private:
    const CursorSource& cursor_;
    std::function<void()> yield_;
    WindowShell* main_window_ = nullptr;
};

}  // namespace morvane::app
