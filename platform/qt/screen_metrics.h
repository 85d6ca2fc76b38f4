#pragma once
// The screen's twips-per-pixel ratios (1440 twips to the inch): kTwipsPerPixel both ways at 96 dots per inch. Outer sizes of
// the skinned controls are in twips and everything inside them in pixels; these ratios convert between the two.
#include "platform/pictures/twips.h"

#include <optional>

namespace morvane {

// The ratios in force: the override when one is set, otherwise 1440 / the primary screen's logical dots per
// inch, otherwise (no screen yet) kTwipsPerPixel both ways.
TwipsPerPixel twips_per_pixel();

// Replaces the screen's ratios, so that tests can try other screens, unequal ratios included.
void set_twips_per_pixel_override(std::optional<TwipsPerPixel> ratios);

// Sets an override for as long as it lives and puts the previous one back afterwards.
class ScopedTwipsPerPixel {
public:
    explicit ScopedTwipsPerPixel(TwipsPerPixel ratios);
    ~ScopedTwipsPerPixel();
    ScopedTwipsPerPixel(const ScopedTwipsPerPixel&) = delete;
    ScopedTwipsPerPixel& operator=(const ScopedTwipsPerPixel&) = delete;

private:
    std::optional<TwipsPerPixel> previous_;
};

}  // namespace morvane
