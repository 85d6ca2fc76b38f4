#pragma once
// Stretching a whole picture into a rectangle of another: the resampling behind every picture surface.
#include "platform/pictures/image32.h"

namespace morvane {

// Draws the whole of `picture` into the rectangle (x, y, w, h) of `target`, in pixels, clipped to `target`.
// Reducing averages the covered source area in linear light (exact fractional coverage); enlarging
// interpolates bilinearly in linear light; an axis that keeps its size is copied exactly. Both axes are
// handled separately, so one may grow while the other shrinks. Every pixel written has a fourth byte of 255.
// A rectangle with no width or height, or an empty picture, draws nothing. `picture` may be `target` itself.
void stretch_copy(const Image32& picture, Image32& target, int x, int y, int w, int h);

}  // namespace morvane
