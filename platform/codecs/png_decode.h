#pragma once
// PNG pictures decoded by libpng straight into the program's pixels, a few rows at a time, so that a
// wallpaper is drawn while it is still being decoded, as JPEGs are. Only what libpng gives exactly as the
// general decoder shows it is taken: 8 bits a channel or fewer, not interlaced; transparency is laid over black
// with the general decoder's rounding.
#include "platform/codecs/loaded_picture.h"
#include "platform/pictures/image32.h"
#include "platform/codecs/picture_structure.h"
#include "platform/files/input_file.h"
#include "platform/pictures/row_source.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

struct PngDecoderState;  // libpng's, kept out of this header

// A PNG file's bytes, opened for decoding. The bytes must outlive the decoder.
class PngDecoder final : public RowSource {
public:
    // Reads the header. Not ok() for what it does not take (see above), a damaged header, or more than
    // `max_bytes` of pixels (4 a pixel): the general decoder then reads the file and says what is wrong.
    PngDecoder(const uint8_t* png, size_t size, size_t max_bytes);
    ~PngDecoder() override;
    PngDecoder(const PngDecoder&) = delete;
    PngDecoder& operator=(const PngDecoder&) = delete;

    bool ok() const { return state_ != nullptr; }
    int width() const override { return width_; }
    int height() const override { return height_; }
    // A failure when the file is damaged part way or ends early, in libpng's own words ("IDAT: invalid code
    // lengths set"); no more rows come then.
    Outcome read_rows(uint8_t* const* rows, int count) override;

private:
    std::unique_ptr<PngDecoderState> state_;
    int width_ = 0;
    int height_ = 0;
};

// A PNG file read into memory and opened for decoding row by row; nothing where it cannot be read, or where a
// part of it claims more bytes than the file holds, or PngDecoder is not ok() for it.
using PngFile = DecodingFile<PngDecoder>;
std::optional<PngFile> open_png_file(const std::filesystem::path& file, size_t max_bytes);

// The whole picture in `png` (a whole PNG file), or the message for the file `shown` when its rows break off;
// nothing where PngDecoder is not ok() for it (the general decoder then reads it).
std::optional<LoadedPicture> decode_png(const uint8_t* png, size_t size, size_t max_bytes, const std::string& shown);

}  // namespace morvane
