#pragma once
// A photograph that is not upright, handed out upright row by row without ever holding it whole. Taken
// sideways (orientation 5 to 8), each upright row is a stored column, so the file is decoded once per band of
// stored columns (libjpeg decodes only those columns' pixels), the band is turned, and its rows are handed out. A 12000 x 9000
// photograph needs a band's 16 MB instead of its 432 MB twice over (decoded, then turned), for the price of
// reading its compressed data once per band.
#include "platform/pictures/image32.h"
#include "platform/pictures/row_source.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvane {

class JpegDecoder;

// Whether a picture of this orientation tag has its width and height exchanged when it is turned upright.
inline bool turns_sideways(int orientation) { return orientation >= 5 && orientation <= 8; }

class TurnedJpegRows final : public RowSource {
public:
    // `jpeg` is a whole JPEG file whose decoder is ok() and whose tag is `orientation` (5 to 8); its bytes
    // must outlive this. `band_bytes` is the most a band holds (at least one column is always taken).
    TurnedJpegRows(const uint8_t* jpeg, size_t size, size_t max_bytes, int orientation,
                   size_t band_bytes = size_t(16) << 20);

    int width() const override { return width_; }
    int height() const override { return height_; }
    // The same pixels, row for row, as the whole picture decoded and then turned upright; a failure as
    // JpegDecoder::read_rows gives, for the bands decoded so far.
    Outcome read_rows(uint8_t* const* rows, int count) override;

private:
    Outcome decode_band();

    const uint8_t* jpeg_;
    size_t size_;
    size_t max_bytes_;
    int orientation_;
    int width_ = 0, height_ = 0;  // upright
    int band_rows_ = 1;           // upright rows (stored columns) per band
    Image32 band_;                // upright rows band_top_ .. band_top_ + band_.height - 1
    int band_top_ = 0;
    int next_row_ = 0;            // the next upright row to hand out
    Outcome broke_off_ = Outcome::done();
};

// A photograph mirrored or upside down (orientation 2 to 4), handed out upright as it is decoded, for the price
// of the upright one: each row mirrored where the tag says, and the rows bottom first where the picture is
// upside down (a stretch puts each in its place), so that it is never held whole to be turned.
class FlippedJpegRows final : public RowSource {
public:
    // `decoder` must be ok(), its tag 2 to 4, and outlive this.
    explicit FlippedJpegRows(JpegDecoder& decoder);
    int width() const override;
    int height() const override;
    bool bottom_first() const override { return bottom_first_; }
    Outcome read_rows(uint8_t* const* rows, int count) override;

private:
    JpegDecoder& decoder_;
    bool mirrored_, bottom_first_;
};

}  // namespace morvane
