#include "platform/jpeg_decode.h"

#include <turbojpeg.h>

namespace morvane {
namespace {

struct Decompressor {
    tjhandle handle = tjInitDecompress();
    ~Decompressor() {
        if (handle) tjDestroy(handle);
    }
};

bool starts_like_jpeg(const uint8_t* data, size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

}  // namespace

std::optional<Image32> decode_jpeg(const uint8_t* jpeg, size_t size, size_t max_bytes) {
    if (!jpeg || !starts_like_jpeg(jpeg, size)) return std::nullopt;
    Decompressor d;
    if (!d.handle) return std::nullopt;
    int width = 0, height = 0, subsampling = 0, colour_space = 0;
    if (tjDecompressHeader3(d.handle, jpeg, (unsigned long)size, &width, &height, &subsampling, &colour_space) != 0)
        return std::nullopt;
    if (colour_space == TJCS_CMYK || colour_space == TJCS_YCCK) return std::nullopt;
    if (width <= 0 || height <= 0 || size_t(width) * size_t(height) > max_bytes / 4) return std::nullopt;

    Image32 picture = Image32::unfilled(width, height);
    // Default flags: the accurate integer transform and smooth chroma upsampling, as the general decoder uses.
    // BGRA (not BGRX) makes the decoder write 255 into the fourth byte.
    const int result = tjDecompress2(d.handle, jpeg, (unsigned long)size, picture.bytes.data(), width,
                                     int(picture.stride()), height, TJPF_BGRA, 0);
    if (result != 0 && tjGetErrorCode(d.handle) != TJERR_WARNING) return std::nullopt;
    picture.touch();
    return picture;
}

}  // namespace morvane
