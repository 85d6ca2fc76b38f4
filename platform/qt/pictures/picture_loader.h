#pragma once
// Reading a picture file the user chose into plain opaque pixels.
#include "platform/codecs/loaded_picture.h"

#include <cstdint>
#include <filesystem>

namespace morvane {

// Reads .bmp, .jpg, .png and the other formats Qt can decode. Only an ordinary file is opened (a folder, a
// FIFO or a device is refused at once), and a picture whose header announces more than `max_picture_bytes`
// of pixels is refused before any of it is decoded. The format is found from the content, not the
// extension; photographs are turned upright by their orientation tag; transparent parts are laid over black.
LoadedPicture load_picture(const std::filesystem::path& file,
                           uint64_t max_picture_bytes = uint64_t(kPictureAllocationLimitBytes));

}  // namespace morvane
