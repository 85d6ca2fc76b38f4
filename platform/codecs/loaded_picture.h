#pragma once
// A picture file read into plain pixels, and the messages every picture loader gives (Qt's and Windows').
#include "platform/codecs/picture_kinds.h"
#include "platform/files/input_file.h"
#include "platform/outcome.h"
#include "platform/pictures/image32.h"

#include <cstdint>
#include <string>

namespace morvane {

// The picture in blue, green, red, 255, rows top first; or what went wrong, naming the file and what to do.
using LoadedPicture = Result<Image32>;

// Enough for photographs of well over a hundred megapixels (decoded at 4 bytes a pixel).
inline constexpr int64_t kPictureAllocationLimitBytes = int64_t(1024) << 20;

// The built-in picture's side; the program's own copy is a 1024 x 1024 JPEG.
inline constexpr int kBuiltInPictureSide = 1024;

// The built-in picture as a system's decoder read it, checked: where it could not be read at its size (a build
// without a JPEG decoder) a plain night-blue square of that size takes its place, so that a build still runs,
// and standard error says why.
Image32 built_in_picture_or_plain(LoadedPicture decoded);

// The messages, for a file shown by its full name (UTF-8).
namespace picture_message {
std::string missing(const std::string& shown);
std::string folder(const std::string& shown);
std::string not_a_file(const std::string& shown);  // a pipe or a device
std::string cannot_open(const std::string& shown, const std::string& reason);
std::string too_large(const std::string& shown, int64_t width, int64_t height);
std::string unreadable(const std::string& shown, const std::string& reason);
// Its data ends before its last row, or is damaged part way: what a decoder would show is not the picture.
std::string damaged(const std::string& shown, const std::string& reason);
// The four above that say why the file could not be opened, for open_input_file.
InputRefusals refusals(const std::string& shown);
}  // namespace picture_message

}  // namespace morvane
