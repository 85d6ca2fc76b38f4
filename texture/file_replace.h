#pragma once
// Replacing a file only once its successor is complete: the bytes go to a temporary file beside it, which
// is renamed over the old file at the end. On any failure the old file stays as it was and the temporary
// file is removed.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace vtfmod {

// Empty when the file was written; otherwise the reason, e.g. "No such file or directory".
std::string replace_file(const std::filesystem::path& path, const std::vector<std::span<const uint8_t>>& pieces);

}  // namespace vtfmod
