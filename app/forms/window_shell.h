#pragma once
// What the window effects and the windows' logic need of a host's top-level window, in the host's terms:
// its size, its outline, its opacity, its place on the screen. The Qt host implements it for a QWidget, the
// Windows host for an HWND; tests record it.
#include <cstdint>

namespace morvane::app {

// A rounded rectangle as the platform's round-rect region takes it: right and bottom are exclusive edges,
// each corner is a quarter of an ellipse corner_width x corner_height (pixels).
struct RoundRegion {
    int left = 0, top = 0, right = 0, bottom = 0;
    int corner_width = 0, corner_height = 0;
    friend bool operator==(const RoundRegion&, const RoundRegion&) = default;
};

struct ScreenPoint {
    int x = 0, y = 0;  // pixels of the screen
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The top-left corner that centres a window of width x height pixels on `area` (the screen's work area, or the
// window it shows over).
inline ScreenPoint centred_on(int left, int top, int area_width, int area_height, int width, int height) {
    return ScreenPoint{left + (area_width - width) / 2, top + (area_height - height) / 2};
}

class WindowShell {
public:
    virtual ~WindowShell() = default;
    virtual int width_pixels() const = 0;   // client area
    virtual int height_pixels() const = 0;
    virtual void set_region(const RoundRegion& region) = 0;
    virtual void set_opacity(int16_t opacity) = 0;  // 0 invisible .. 255 opaque
    virtual void move_to(ScreenPoint top_left) = 0;
    // The window was hidden or closed meanwhile (the program is ending): a fade stops.
    virtual bool gone() const = 0;
};

// The cursor's position on the screen (GetCursorPos, QCursor::pos).
class CursorSource {
public:
    virtual ~CursorSource() = default;
    virtual ScreenPoint screen_position() const = 0;
};

}  // namespace morvane::app
