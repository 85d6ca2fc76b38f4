#include "app/win/window_shell.h"

#include "platform/win/window_effects.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>

namespace morvane::app {

int HwndShell::width_pixels() const {
    RECT client{};
    GetClientRect(window_, &client);
    return int(client.right - client.left);
}

int HwndShell::height_pixels() const {
    RECT client{};
    GetClientRect(window_, &client);
    return int(client.bottom - client.top);
}

void HwndShell::set_region(const RoundRegion& region) {
    // The program's regions start at the corner; the system's round rectangle takes the same numbers.
    set_round_region(window_, region.right - region.left, region.bottom - region.top,
                     std::max(region.corner_width, region.corner_height));
}

void HwndShell::set_opacity(int16_t opacity) { set_layered_opacity(window_, uint8_t(std::clamp<int>(opacity, 0, 255))); }

void HwndShell::move_to(ScreenPoint top_left) { move_window(window_, top_left.x, top_left.y); }

bool HwndShell::gone() const { return gone_ || window_ == nullptr || !IsWindow(window_); }

ScreenPoint SystemCursor::screen_position() const {
    const morvane::ScreenPoint p = cursor_position();
    return ScreenPoint{p.x, p.y};
}

}  // namespace morvane::app
