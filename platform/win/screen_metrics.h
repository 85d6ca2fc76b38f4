#pragma once
// The screen's twips-per-pixel ratios on Windows, for the controls' own conversions.
#include "platform/pictures/twips.h"

namespace morvane {

// 1440 / the screen's dots per inch, each way; kTwipsPerPixel where the screen does not say.
TwipsPerPixel screen_twips_per_pixel();

// The ratios for a screen of these dots per inch; kTwipsPerPixel for a direction without a sound value.
TwipsPerPixel twips_per_pixel_at(int dots_per_inch_x, int dots_per_inch_y);

}  // namespace morvane
