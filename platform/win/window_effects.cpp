#include "platform/win/window_effects.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace morvane {

void set_round_region(WindowHandle window, int width_px, int height_px, int corner) {
    HRGN region = CreateRoundRectRgn(0, 0, width_px, height_px, corner, corner);
    if (region == nullptr) return;
    // On success the system owns the region and frees it with the window or the next region.
    if (SetWindowRgn(window, region, TRUE) == 0) DeleteObject(region);
}

void set_layered_opacity(WindowHandle window, uint8_t opacity) {
    const LONG style = GetWindowLongW(window, GWL_EXSTYLE);
    SetWindowLongW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, opacity, LWA_ALPHA);
}

ScreenPoint cursor_position() {
    POINT point{};
    if (!GetCursorPos(&point)) return {};
    return ScreenPoint{int(point.x), int(point.y)};
}

void move_window(WindowHandle window, int x, int y) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<RegionBox> window_region_box(WindowHandle window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    std::optional<RegionBox> box;
    RECT rect{};
    if (GetWindowRgn(window, region) != ERROR && GetRgnBox(region, &rect) != ERROR)
        box = RegionBox{int(rect.left), int(rect.top), int(rect.right), int(rect.bottom)};
    DeleteObject(region);
    return box;
}

std::optional<uint8_t> layered_opacity(WindowHandle window) {
    if ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return std::nullopt;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, &key, &alpha, &flags) || (flags & LWA_ALPHA) == 0) return std::nullopt;
    return alpha;
}

bool region_contains(WindowHandle window, int x, int y) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool inside = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
    DeleteObject(region);
    return inside;
}

}  // namespace morvane
