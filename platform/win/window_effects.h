#pragma once
// What a borderless window of the program needs from the system: a rounded outline, whole-window opacity,
// the cursor's place and a move. The arithmetic of fading and dragging lies above; these only ask the system.
#include "platform/win/window_handle.h"

#include <cstdint>
#include <optional>

namespace morvane {

struct ScreenPoint {
    int x = 0, y = 0;  // pixels on the screen
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

struct RegionBox {
    int left = 0, top = 0, right = 0, bottom = 0;  // pixels of the window
    friend bool operator==(const RegionBox&, const RegionBox&) = default;
};

// Clips the window to a rectangle of width x height pixels from its corner whose corners are rounded by
// ellipses `corner` pixels wide and high. The window owns the region from then on.
void set_round_region(WindowHandle window, int width_px, int height_px, int corner);
// Makes the window layered (once is enough; again changes nothing) and gives it this opacity, 0 to 255.
void set_layered_opacity(WindowHandle window, uint8_t opacity);
ScreenPoint cursor_position();
// Puts the window's top-left corner at (x, y) screen pixels, its size and stacking unchanged.
void move_window(WindowHandle window, int x, int y);

// Read-backs, for tests and checks: the bounding box of the window's region (none without one), its layered
// opacity (none when it is not layered or has no whole-window opacity), and whether a pixel of the window
// lies inside its region.
std::optional<RegionBox> window_region_box(WindowHandle window);
std::optional<uint8_t> layered_opacity(WindowHandle window);
bool region_contains(WindowHandle window, int x, int y);

}  // namespace morvane
