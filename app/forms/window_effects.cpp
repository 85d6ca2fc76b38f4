#include "app/forms/window_effects.h"

#include <cmath>

namespace morvane::app {

namespace {

// Twips back to the pixel the window can stand on: whole pixels, rounded down, as the position was made
// from whole pixels times the same ratio.
int pixels_from_twips(double twips) { return int(std::floor(twips / kTwipsPerPixel)); }

}  // namespace

RoundRegion round_region_for(int width_pixels, int height_pixels, int corner) {
    return RoundRegion{0, 0, width_pixels, height_pixels, corner, corner};
}

void WindowEffects::shape_window(WindowShell& form, int16_t corner) {
    form.set_region(round_region_for(form.width_pixels(), form.height_pixels(), corner));
}

void WindowEffects::set_opacity(WindowShell& form, int16_t opacity) { form.set_opacity(opacity); }

void WindowEffects::fade_in(WindowShell& form, int16_t first, int16_t last, int32_t step) {
    if (first > last || step <= 0) return;
    for (int32_t i = first; i <= last; i += step) {
        if (yield_) yield_();
        if (form.gone()) return;
        set_opacity(form, int16_t(i));
    }
}

void WindowEffects::drag_start(bool start, float x_twips, float y_twips) {
    dragging = start;
    drag_x = x_twips;
    drag_y = y_twips;
}

void WindowEffects::drag_move() {
    if (!dragging || main_window_ == nullptr) return;
    const ScreenPoint cursor = cursor_.screen_position();
    const double top = double(cursor.y) * kTwipsPerPixel - drag_y;
    const double left = double(cursor.x) * kTwipsPerPixel - drag_x;
    main_window_->move_to(ScreenPoint{pixels_from_twips(left), pixels_from_twips(top)});
}

void WindowEffects::drag_stop() { dragging = false; }

}  // namespace morvane::app
