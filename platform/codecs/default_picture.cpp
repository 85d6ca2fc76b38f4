#include "platform/codecs/default_picture.h"

#include "platform/codecs/jpeg_decode.h"
#include "platform/codecs/loaded_picture.h"

namespace morvane {

const Image32& default_picture() {
    static const Image32 picture = [] {
        DecodedJpeg decoded =
            decode_jpeg(kDefaultPictureJpeg, kDefaultPictureJpegSize, size_t(kPictureAllocationLimitBytes));
        if (!decoded.picture) return built_in_picture_or_plain(LoadedPicture::failed("the built-in picture could not be decoded"));
        return built_in_picture_or_plain(LoadedPicture::made(std::move(*decoded.picture)));
    }();
    return picture;
}

}  // namespace morvane
