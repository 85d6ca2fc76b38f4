#pragma once
// What the main window takes from files dropped on it, in both hosts: the first that is a picture.
#include <filesystem>
#include <optional>
#include <vector>

namespace morvane::app {

// The first ordinary file whose name ends in one of the picture kinds' suffixes (platform/codecs/picture_kinds.h) or whose first bytes are a BMP's, a
// JPEG's, a PNG's or a GIF's. Folders, pipes and devices are passed over without being opened (opening a pipe
// would wait for a writer that never comes).
std::optional<std::filesystem::path> picture_to_take(const std::vector<std::filesystem::path>& dropped);

}  // namespace morvane::app
