#pragma once
// A control's outer size is kept in twips and everything inside it in pixels; this is the size rule each
// control applies on every resize (a forced height, a least width) and the pixels of the result.
#include "platform/pictures/twips.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace morvane::controls {

struct TwipsSize {
    double width = 0;   // twips
    double height = 0;  // twips
};

struct SizeRule {
    std::optional<double> forced_height_twips;
    double min_width_twips = 0;
};

inline TwipsSize apply_size_rule(const SizeRule& rule, TwipsSize asked) {
    const double height = rule.forced_height_twips ? *rule.forced_height_twips : asked.height;
    return TwipsSize{std::max({asked.width, rule.min_width_twips, 0.0}), std::max(height, 0.0)};
}

// The surface: whole pixels, the nearest to the outer size at the screen's ratios.
struct SurfaceSize {
    int width = 0, height = 0;  // pixels
};
inline SurfaceSize surface_size(TwipsSize outer, TwipsPerPixel ratios) {
    return SurfaceSize{int(std::lround(outer.width / ratios.x)), int(std::lround(outer.height / ratios.y))};
}

// A layout's place in pixels as an outer size in twips.
inline TwipsSize twips_of_pixels(int width, int height, TwipsPerPixel ratios) {
    return TwipsSize{width * ratios.x, height * ratios.y};
}

}  // namespace morvane::controls
