#include "platform/win/screen_metrics.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace morvane {

TwipsPerPixel twips_per_pixel_at(int dots_per_inch_x, int dots_per_inch_y) {
    TwipsPerPixel ratios;
    if (dots_per_inch_x > 0) ratios.x = 1440.0 / dots_per_inch_x;
    if (dots_per_inch_y > 0) ratios.y = 1440.0 / dots_per_inch_y;
    return ratios;
}

TwipsPerPixel screen_twips_per_pixel() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return {};
    const TwipsPerPixel ratios = twips_per_pixel_at(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return ratios;
}

}  // namespace morvane
