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
    // GDI's round rectangle leaves out its last column and row (CreateRoundRectRgn(0, 0, 820, 711) ends at
    // 819 x 710), where the region's right and bottom are exclusive edges of the whole window: one more each
    // way keeps the window's last column and row, as the Linux window has them.
    set_round_region(window_, region.right - region.left + 1, region.bottom - region.top + 1,
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
