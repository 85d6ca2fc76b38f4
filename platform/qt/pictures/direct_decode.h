#pragma once
// Decoding a picture file straight into the program's pixels wherever the file allows it, so that the only
// full-size picture the loader makes is the one it hands out.
#include "platform/pictures/image32.h"
#include "platform/codecs/jpeg_decode.h"
#include "platform/codecs/png_decode.h"

#include <QImage>

#include <cstddef>
#include <optional>

class QFile;
class QImageReader;

namespace morvane {

// A JPEG file through libjpeg-turbo over the file's mapped bytes, turned upright by its orientation tag; no
// picture for any other file, or where libjpeg-turbo cannot decode it (the reader then decodes it and reports
// what is wrong), and what libjpeg-turbo found damaged or too large.
DecodedJpeg decode_jpeg_directly(QFile& file, QImageReader& reader, size_t max_bytes);

// A PNG file through libpng the same way, with the pixels Qt's decoder gives: what libpng does not take row by
// row (16 bits a channel, interlaced) is left to the reader, and a damaged one is named by libpng's words
// without libpng printing them.
DecodedPng decode_png_directly(QFile& file, QImageReader& reader, size_t max_bytes);

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
