#include "platform/win/picture_loader.h"

#include <cstdio>

namespace morvane {

// platform/qt/resources/default_picture.jpg, compiled in by cmake/EmbedFile.cmake.
extern const uint8_t kDefaultPictureJpeg[];
extern const size_t kDefaultPictureJpegSize;

namespace {

constexpr int kSide = 1024;  // pixels

Image32 decode_default_picture() {
    LoadedPicture loaded = load_picture_bytes(kDefaultPictureJpeg, kDefaultPictureJpegSize, "the built-in picture");
    if (loaded.ok() && loaded.picture.width == kSide && loaded.picture.height == kSide) return std::move(loaded.picture);
    // Only a system without a JPEG decoder gets here; a plain night blue still lets a build run.
    std::fprintf(stderr, "The built-in picture could not be decoded (%s); using a plain background instead.\n",
                 loaded.error.c_str());
    return Image32(kSide, kSide, bgra_from_colorref(0x36220E));
}

}  // namespace

const Image32& default_picture() {
    static const Image32 picture = decode_default_picture();
    return picture;
}

}  // namespace morvane
