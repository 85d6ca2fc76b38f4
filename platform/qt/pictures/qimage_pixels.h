#pragma once
// From Qt's pictures to the program's plain pixels.
#include "platform/pictures/image32.h"

class QImage;

namespace morvane {

// Any QImage as opaque blue, green, red, 255, rows top first. Transparent parts are laid over black.
Image32 opaque_pixels(const QImage& image);

}  // namespace morvane
