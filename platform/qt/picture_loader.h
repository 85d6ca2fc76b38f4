#pragma once
// Reading a picture file the user chose into plain opaque pixels.
#include "platform/image32.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace morvane {

struct LoadedPicture {
    Image32 picture;    // blue, green, red, 255; rows top first; empty when loading failed
    std::string error;  // what went wrong, naming the file and what to do; empty on success
    bool ok() const { return error.empty(); }
};

// The most a decoded picture may take: 1 GiB, a photograph of well over two hundred megapixels.
inline constexpr uint64_t kMaxPictureBytes = uint64_t(1) << 30;

// Reads .bmp, .jpg, .png and the other formats Qt can decode. Only an ordinary file is opened (a folder, a
// FIFO or a device is refused at once), and a picture whose header announces more than `max_picture_bytes`
// of pixels is refused before any of it is decoded. The format is found from the content, not the
// extension; photographs are turned upright by their orientation tag; transparent parts are laid over black.
LoadedPicture load_picture(const std::filesystem::path& file, uint64_t max_picture_bytes = kMaxPictureBytes);

}  // namespace morvane
