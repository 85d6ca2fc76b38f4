#pragma once
// Twips (1/1440 inch) measure the windows' outer sizes and positions. The windows, and the frames that hold
// picture surfaces, convert them with this fixed ratio, the one a 96 dots-per-inch screen has; the skinned
// controls ask the screen for its own (platform/qt/screen_metrics.h).

namespace morvane {

inline constexpr int kTwipsPerPixel = 15;

}  // namespace morvane
