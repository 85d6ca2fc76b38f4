#include "platform/win/picture_loader.h"

namespace morvane {

// platform/qt/resources/default_picture.jpg, compiled in by cmake/EmbedFile.cmake.
extern const uint8_t kDefaultPictureJpeg[];
extern const size_t kDefaultPictureJpegSize;

const Image32& default_picture() {
    static const Image32 picture = built_in_picture_or_plain(
        load_picture_bytes(kDefaultPictureJpeg, kDefaultPictureJpegSize, "the built-in picture"));
    return picture;
}

}  // namespace morvane
