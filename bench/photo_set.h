#pragma once
// The photographs the benchmark runs on: every .jpg/.jpeg/.png/.bmp in the folders or files given.
#include "platform/pictures/image32.h"

#include <string>
#include <vector>

namespace morvane::bench {

struct Photo {
    std::string name;  // file name without folder
    Image32 pixels;    // as loaded, opaque BGRA
};

std::vector<std::string> photo_files(const std::vector<std::string>& paths);
bool load_photo(const std::string& file, Photo& out);  // false (with a message on stderr) when unreadable

// Writes `source` scaled to width x height, for a large test photograph: a PNG when `out` ends in .png, otherwise
// a JPEG of quality 92; false when it cannot.
bool write_scaled_photo(const std::string& source, int width, int height, const std::string& out);

}  // namespace morvane::bench
