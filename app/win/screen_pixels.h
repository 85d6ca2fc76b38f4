#pragma once
// The core's pixels onto a window: a piece of an Image32 copied to a device context as a top-down 32-bit DIB.
#include "platform/pictures/image32.h"

struct HDC__;

namespace morvane::app {

// Copies `source` (clipped to the image) so that its top-left corner lands at (x, y) of `dc`.
void show_pixels(HDC__* dc, const Image32& image, PixelRect source, int x, int y);

}  // namespace morvane::app
