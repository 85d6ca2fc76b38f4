#include "platform/codecs/default_picture.h"

#include "platform/codecs/jpeg_decode.h"
#include "platform/codecs/loaded_picture.h"

namespace morvane {

const Image32& default_picture() {
    static const Image32 picture = [] {
        std::optional<LoadedPicture> decoded = decode_jpeg(kDefaultPictureJpeg, kDefaultPictureJpegSize,
                                                           size_t(kPictureAllocationLimitBytes), "the built-in picture");
        if (!decoded) return built_in_picture_or_plain(LoadedPicture::failed("libjpeg-turbo does not take it"));
        return built_in_picture_or_plain(std::move(*decoded));
    }();
    return picture;
}

}  // namespace morvane
