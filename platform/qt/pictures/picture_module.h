#pragma once
// What the command line's picture module offers: Qt's picture loader, behind one plain entry point that the
// command line finds by name once it has loaded the module.
#include "platform/codecs/loaded_picture.h"

#include <cstdint>

namespace morvane {

// Loads `file` (the system's bytes of its name) as load_picture does, into `*result`.
using LoadPictureEntry = void (*)(const char* file, uint64_t max_picture_bytes, LoadedPicture* result);
inline constexpr const char* kLoadPictureEntryName = "morvane_load_picture";
inline constexpr const char* kPictureModuleFile = "morvane-qt-pictures.so";

}  // namespace morvane
