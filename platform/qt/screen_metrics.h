#pragma once
// The screen's twips-per-pixel ratios (1440 twips to the inch): kTwipsPerPixel both ways at 96 dots per inch. Outer sizes of
// the skinned controls are in twips and everything inside them in pixels; these ratios convert between the two.
#include "platform/pictures/twips.h"


namespace morvane {

// 1440 / the primary screen's logical dots per inch, or (no screen yet) kTwipsPerPixel both ways.
TwipsPerPixel twips_per_pixel();

}  // namespace morvane
