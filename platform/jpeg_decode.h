#pragma once
// JPEG photographs decoded by libjpeg-turbo straight into the program's pixels (blue, green, red, 255): one
// pass that writes every byte once, where a general decoder writes 24-bit rows, widens them to 32 bits and
// then hands over a picture that is copied once more.
#include "platform/image32.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace morvane {

// The picture in `jpeg` (a whole JPEG file), or nothing when libjpeg-turbo cannot give it in these pixels:
// not a JPEG, a damaged header, CMYK colour, more than `max_bytes` of pixels. The caller then leaves the file to
// its general decoder, which says what is wrong. A file that ends early decodes as far as it goes (the rest
// grey), as the general decoder does too. The orientation tag is not applied.
std::optional<Image32> decode_jpeg(const uint8_t* jpeg, size_t size, size_t max_bytes);

}  // namespace morvane
