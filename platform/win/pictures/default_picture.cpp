#include "platform/codecs/default_picture.h"

#include "platform/win/pictures/picture_loader.h"

namespace morvane {

const Image32& default_picture() {
    static const Image32 picture = built_in_picture_or_plain(
        load_picture_bytes(kDefaultPictureJpeg, kDefaultPictureJpegSize, "the built-in picture"));
    return picture;
}

}  // namespace morvane
