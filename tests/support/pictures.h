#pragma once
// Pictures for the surface, stretch and texture tests.
#include "platform/pictures/image32.h"

#include <cstdint>
#include <random>

namespace morvane::testing {

// Every byte drawn at random (the same bytes for the same seed), so that a shifted row, a swapped channel or a
// level drawn at the wrong size shows.
inline Image32 noise_picture(int w, int h, uint32_t seed = 1) {
    Image32 picture = Image32::unfilled(w, h);
    std::mt19937 random(seed);
    for (uint8_t& b : picture.bytes) b = uint8_t(random());
    picture.touch();
    return picture;
}

}  // namespace morvane::testing
