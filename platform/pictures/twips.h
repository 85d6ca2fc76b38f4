#pragma once
// Twips (1/1440 inch) measure the windows' outer sizes and positions. The windows, and the frames that hold
// picture surfaces, convert them with this fixed ratio, the one a 96 dots-per-inch screen has; the skinned
// controls ask the screen for its own (platform/qt/screen_metrics.h, platform/win/screen_metrics.h).

namespace morvane {

inline constexpr int kTwipsPerPixel = 15;

// A screen's twips-per-pixel ratios (1440 twips to the inch): kTwipsPerPixel both ways at 96 dots per inch.
struct TwipsPerPixel {
    double x = kTwipsPerPixel;  // twips per pixel, horizontal (widths, left positions)
    double y = kTwipsPerPixel;  // twips per pixel, vertical (heights, top positions)
    friend bool operator==(const TwipsPerPixel&, const TwipsPerPixel&) = default;
};

}  // namespace morvane
