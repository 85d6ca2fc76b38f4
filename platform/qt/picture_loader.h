#pragma once
// Reading a picture file the user chose into plain opaque pixels.
#include "platform/image32.h"

#include <filesystem>
#include <string>

namespace morvane {

struct LoadedPicture {
    Image32 picture;    // blue, green, red, 255; rows top first; empty when loading failed
    std::string error;  // what went wrong, naming the file and what to do; empty on success
    bool ok() const { return error.empty(); }
};

// Reads .bmp, .jpg, .png and the other formats Qt can decode, of any size memory allows. The format is
// found from the content, not the extension; photographs are turned upright by their orientation tag;
// transparent parts are laid over black.
LoadedPicture load_picture(const std::filesystem::path& file);

}  // namespace morvane
