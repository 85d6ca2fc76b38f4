#include "platform/codecs/turned_jpeg_rows.h"

#include "platform/codecs/exif_orientation.h"
#include "platform/codecs/jpeg_decode.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace morvane {

namespace {

// Smooth chroma upsampling reads a neighbouring sample on each side, and treats the edge of a cropped decode
// as the picture's edge: a band is decoded with this many more columns on either side (a whole block of the
// most subsampled kind), and only its inner columns are kept, so that they are the whole decode's pixels.
constexpr int kMarginColumns = 32;
constexpr int kRowsAtOnce = 16;

}  // namespace

TurnedJpegRows::TurnedJpegRows(const uint8_t* jpeg, size_t size, size_t max_bytes, int orientation, size_t band_bytes)
    : jpeg_(jpeg), size_(size), max_bytes_(max_bytes), orientation_(orientation) {
    JpegDecoder header(jpeg, size, max_bytes);
    if (!header.ok() || !turns_sideways(orientation)) {
        broke_off_ = Outcome::failed("libjpeg-turbo does not take this file turned");
        return;
    }
    width_ = header.height();
    height_ = header.width();
    band_rows_ = int(std::clamp<size_t>(band_bytes / (size_t(width_) * 4), 1, size_t(height_)));
}

Outcome TurnedJpegRows::decode_band() {
    const int top = band_top_ + band_.height;  // the first upright row not yet decoded
    const int rows = std::min(band_rows_, height_ - top);
    const int stored_width = height_, stored_height = width_;
    // Orientations 5 and 6 put stored column c at upright row c; 7 and 8 at row (stored width - 1 - c).
    const int first = orientation_ == 5 || orientation_ == 6 ? top : stored_width - top - rows;
    const int wide_first = std::max(0, first - kMarginColumns);
    const int wide_count = std::min(stored_width, first + rows + kMarginColumns) - wide_first;

    JpegDecoder decoder(jpeg_, size_, max_bytes_);
    const Result<JpegDecoder::Columns> given = decoder.start_with_columns(wide_first, wide_count);
    if (!given.ok) return given;
    const int given_first = given.value.first, given_count = given.value.count;
    if (given_first > first || given_first + given_count < first + rows)
        return Outcome::failed("libjpeg-turbo did not give the columns asked for");
    // Each stored pixel goes straight to its upright place in the band: the band is held once, not also as
    // stored. Upright row (band row) and column of the k-th kept column of stored row y:
    const bool columns_forward = orientation_ == 5 || orientation_ == 6;  // stored column c at upright row c
    const bool rows_forward = orientation_ == 5 || orientation_ == 8;     // stored row y at upright column y
    band_ = Image32{};  // the band handed out goes before the next is made, so that two never exist at once
    band_ = Image32::unfilled(width_, rows);
    uint8_t* band = band_.bytes.data();
    const size_t stride = band_.stride();
    std::vector<uint8_t> scratch(size_t(given_count) * 4 * kRowsAtOnce);
    uint8_t* lines[kRowsAtOnce];
    for (int i = 0; i < kRowsAtOnce; ++i) lines[i] = scratch.data() + size_t(i) * given_count * 4;
    for (int y = 0; y < stored_height; y += kRowsAtOnce) {
        const int count = std::min(kRowsAtOnce, stored_height - y);
        if (Outcome read = decoder.read_rows(lines, count); !read.ok) return read;
        for (int i = 0; i < count; ++i) {
            const uint8_t* src = lines[i] + size_t(first - given_first) * 4;
            uint8_t* column = band + size_t(rows_forward ? y + i : stored_height - 1 - (y + i)) * 4;
            for (int k = 0; k < rows; ++k)
                std::memcpy(column + size_t(columns_forward ? k : rows - 1 - k) * stride, src + size_t(k) * 4, 4);
        }
    }
    band_.touch();
    band_top_ = top;
    return Outcome::done();
}

Outcome TurnedJpegRows::read_rows(uint8_t* const* rows, int count) {
    if (!broke_off_.ok) return broke_off_;
    if (count > height_ - next_row_) return Outcome::failed("more rows were asked for than it has");
    for (int i = 0; i < count; ++i, ++next_row_) {
        if (next_row_ >= band_top_ + band_.height) {
            broke_off_ = decode_band();
            if (!broke_off_.ok) return broke_off_;
        }
        std::memcpy(rows[i], band_.row(next_row_ - band_top_), size_t(width_) * 4);
    }
    return Outcome::done();
}

FlippedJpegRows::FlippedJpegRows(JpegDecoder& decoder)
    : decoder_(decoder),
      mirrored_(upright_rows(decoder.orientation()).mirrored),
      bottom_first_(upright_rows(decoder.orientation()).bottom_first) {}

int FlippedJpegRows::width() const { return decoder_.width(); }
int FlippedJpegRows::height() const { return decoder_.height(); }

Outcome FlippedJpegRows::read_rows(uint8_t* const* rows, int count) {
    if (Outcome read = decoder_.read_rows(rows, count); !read.ok) return read;
    if (mirrored_)
        for (int i = 0; i < count; ++i) mirror_row(rows[i], width());
    return Outcome::done();
}

}  // namespace morvane
