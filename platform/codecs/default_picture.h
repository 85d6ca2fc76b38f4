#pragma once
// The picture a build uses before the user has loaded one, compiled into the program.
#include "platform/pictures/image32.h"

#include <cstddef>
#include <cstdint>

namespace morvane {

// 1024 x 1024, opaque blue, green, red, 255; decoded once on first use, by libjpeg-turbo (or by the system's
// codecs on Windows), so the window and the command line build from the same pixels.
const Image32& default_picture();

// platform/codecs/resources/default_picture.jpg, compiled in by cmake/EmbedFile.cmake.
extern const uint8_t kDefaultPictureJpeg[];
extern const size_t kDefaultPictureJpegSize;

}  // namespace morvane
