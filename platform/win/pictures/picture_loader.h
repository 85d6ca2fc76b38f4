#pragma once
// Reading pictures through the Windows Imaging Component, for the programs built without Qt (the command
// line on Windows). The same contract and messages as platform/qt/pictures/picture_loader.h.
#include "platform/codecs/loaded_picture.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace morvane {

// Reads .bmp, .jpg, .png, .gif, .tif and whatever else the system has decoders for, of any size up to
// kPictureAllocationLimitBytes. The format is found from the content, not the extension; a photograph is
// turned upright where the system reports its orientation tag; transparent parts are laid over black.
LoadedPicture load_picture(const std::filesystem::path& file);

// The same from bytes in memory; `name` is what the messages call them.
LoadedPicture load_picture_bytes(const uint8_t* bytes, size_t size, const std::string& name);

}  // namespace morvane
