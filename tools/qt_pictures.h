#pragma once
// Pictures the command line does not decode itself (anything but a JPEG or a PNG, and those libjpeg-turbo or
// libpng give up on)
// go through Qt's decoders, in a module loaded only when such a picture comes: with Qt's libraries linked in,
// every run would spend 20 ms starting them, a tenth of a whole build.
#include "platform/codecs/loaded_picture.h"

#include <filesystem>

namespace morvane::cli {

// As load_picture: the picture, or a message naming the file and what to do. Where the module cannot be
// loaded, the message says so and where it was looked for.
LoadedPicture load_picture_through_qt(const std::filesystem::path& file);

}  // namespace morvane::cli
