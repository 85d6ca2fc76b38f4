#pragma once
// Decoding a picture file straight into the program's pixels wherever the file allows it, so that the only
// full-size picture the loader makes is the one it hands out.
#include "platform/pictures/image32.h"
#include "platform/codecs/jpeg_decode.h"
#include "platform/codecs/png_decode.h"

#include <QImage>

#include <cstddef>
#include <optional>
#include <string>

class QFile;
class QImageReader;

namespace morvane {

// A JPEG file through libjpeg-turbo over the file's mapped bytes, turned upright by its orientation tag, or a
// PNG file through libpng the same way, with the pixels Qt's decoder gives; or the message for the file `shown`
// where it is damaged or too large, in the library's words without the library printing them. Nothing for any
// other file, or what those libraries do not take (CMYK, 16 bits a channel, interlaced): the reader then
// decodes it and reports what is wrong.
std::optional<LoadedPicture> decode_directly(QFile& file, QImageReader& reader, size_t max_bytes,
                                             const std::string& shown);

// Whether `reader` will decode its file straight into a buffer of the program's pixels (image_over).
bool decodes_in_place(QImageReader& reader);

// An image over `pixels`' own bytes, sized and formatted as `reader` will decode the file, for reading into:
// 32-bit files (BMP, PNG with or without transparency...) are then decoded into `pixels` in place. A null
// image, and `pixels` left empty, for files that decode to another format or need turning.
QImage image_over(Image32& pixels, QImageReader& reader);

// Lays an image decoded with transparency over black where it lies, so that it becomes opaque pixels without a
// copy. Images without transparency are left as they are.
void lay_over_black(QImage& image);

}  // namespace morvane
