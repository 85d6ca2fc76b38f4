// The decoders that hand a picture over a few rows at a time, and the drawing of those rows onto a square, as
// a build drives them: whatever the bytes, a decoder either declines at its header or gives rows until it
// says the picture broke off, and the drawing ends either way; a JPEG taken sideways is drawn turned as well, a
// band of its columns at a time. The first byte picks the decoder.
#include "platform/codecs/jpeg_decode.h"
#include "platform/codecs/png_decode.h"
#include "platform/pictures/streamed_stretch.h"
#include "platform/codecs/turned_jpeg_rows.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Small enough that a header announcing a huge picture is declined, not decoded for seconds.
constexpr size_t kFuzzLimitBytes = 16u << 20;

void draw(morvane::RowSource& rows) {
    if (rows.width() <= 0 || rows.height() <= 0 || size_t(rows.width()) * size_t(rows.height()) * 4 > kFuzzLimitBytes)
        std::abort();  // an opened decoder promised a picture within the limit
    morvane::Image32 square(64, 64);
    (void)morvane::stretch_rows_copy(rows, square, 0, 0, 64, 64);
    uint8_t* past[1] = {square.row(0)};
    if (rows.read_rows(past, 1).ok) std::abort();  // every row has been taken, or the picture broke off
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::vector<uint8_t> file(data + 1, data + size);  // its own allocation: a read past it shows
    if (data[0] % 2 == 0) {
        morvane::JpegDecoder jpeg(file.data(), file.size(), kFuzzLimitBytes);
        if (jpeg.ok()) draw(jpeg);
        if (jpeg.ok() && (jpeg.orientation() < 1 || jpeg.orientation() > 8)) std::abort();
        if (jpeg.ok() && morvane::turns_sideways(jpeg.orientation())) {
            // Bands of a few columns, so that a small picture is decoded in several passes.
            morvane::TurnedJpegRows turned(file.data(), file.size(), kFuzzLimitBytes, jpeg.orientation(),
                                           size_t(jpeg.height()) * 4 * 3);
            draw(turned);
        }
    } else {
        morvane::PngDecoder png(file.data(), file.size(), kFuzzLimitBytes);
        if (png.ok()) draw(png);
    }
    return 0;
}
