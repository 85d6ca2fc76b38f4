#pragma once
// JPEG photographs decoded by libjpeg-turbo straight into the program's pixels (blue, green, red, 255): one
// pass that writes every byte once, where a general decoder writes 24-bit rows, widens them to 32 bits and
// then hands over a picture that is copied once more. Rows can also be taken a few at a time, so that a
// picture is drawn while it is still being decoded and never needs to be held whole.
#include "platform/codecs/loaded_picture.h"
#include "platform/pictures/image32.h"
#include "platform/pictures/row_source.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

struct JpegDecoderState;  // libjpeg's, kept out of this header

// A JPEG file's bytes, opened for decoding. The bytes must outlive the decoder.
class JpegDecoder final : public RowSource {
public:
    // Reads the header. Not ok() when libjpeg-turbo cannot give the picture in these pixels: not a JPEG, a
    // damaged header, CMYK colour, more than `max_bytes` of pixels (too_large(); width() and height() then
    // say what the header claims). The caller then leaves the file to its general decoder, which says what is
    // wrong.
    JpegDecoder(const uint8_t* jpeg, size_t size, size_t max_bytes);
    ~JpegDecoder() override;
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    bool ok() const { return state_ != nullptr; }
    // The picture as stored; orientation() says how it is to be turned (the EXIF tag, 1 when upright).
    int width() const override { return width_; }
    int height() const override { return height_; }
    int orientation() const { return orientation_; }
    bool too_large() const { return too_large_; }

    // Before the first rows: only the columns from `first`, `count` of them, are to be decoded, widened by
    // libjpeg to whole blocks; the columns given come back, and every row read is that wide.
    struct Columns {
        int first = 0, count = 0;
    };
    Result<Columns> start_with_columns(int first, int count);

    // A failure once the rows read so far have met data that ends early or is damaged, so that the picture is
    // not the photograph, or once the decoder gave up, in libjpeg's own words ("Premature end of JPEG file",
    // "Corrupt JPEG data: bad Huffman code"); no more rows come then.
    Outcome read_rows(uint8_t* const* rows, int count) override;

private:
    std::unique_ptr<JpegDecoderState> state_;
    int width_ = 0;
    int height_ = 0;
    int orientation_ = 1;
    bool too_large_ = false;
};

// A JPEG file read into memory and opened for decoding row by row. Nothing where the file cannot be read or
// JpegDecoder is not ok() for it; the general picture loader then reads it, and says what is wrong.
using JpegFile = DecodingFile<JpegDecoder>;
std::optional<JpegFile> open_jpeg_file(const std::filesystem::path& file, size_t max_bytes);

// The whole picture in `jpeg` (a whole JPEG file) as it is meant to be seen (turned by its orientation tag;
// a picture taken sideways is decoded in bands, so that it needs no more memory than its turned pixels), or the
// message for the file `shown` when its header claims more pixels than `max_bytes` hold or its data is damaged
// or incomplete. Nothing where JpegDecoder is not ok() for it otherwise: the general decoder then reads it.
std::optional<LoadedPicture> decode_jpeg(const uint8_t* jpeg, size_t size, size_t max_bytes, const std::string& shown);

}  // namespace morvane
