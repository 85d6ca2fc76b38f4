#pragma once
// Reading a picture file the user chose into plain opaque pixels.
#include "platform/loaded_picture.h"

#include <filesystem>

namespace morvane {

// Reads .bmp, .jpg, .png and the other formats Qt can decode, of any size memory allows. The format is
// found from the content, not the extension; photographs are turned upright by their orientation tag;
// transparent parts are laid over black.
LoadedPicture load_picture(const std::filesystem::path& file);

}  // namespace morvane
