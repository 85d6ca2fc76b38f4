#include "platform/pictures/streamed_stretch.h"

#include "platform/pictures/resample_weights.h"
#include "platform/pictures/stretch_rows.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace morvane {
namespace {

// Takes the picture's rows in order (top first, or bottom first) and writes each destination row as soon as
// the last of its source rows is in. Horizontally resampled rows are kept in a ring as deep as the widest
// vertical footprint, as the stretch of a whole picture keeps them; a destination row adds up the same rows
// with the same weights in the same order whichever end they came from, so its pixels are the same.
class RowDrawer {
public:
    RowDrawer(int picture_width, int picture_height, bool bottom_first, Image32& target, int x, int y, int w, int h)
        : target_(target), picture_width_(picture_width), picture_height_(picture_height), bottom_first_(bottom_first) {
        const PixelRect visible = clip_to(target, PixelRect{x, y, w, h});
        if (visible.width == 0 || visible.height == 0 || picture_width <= 0 || picture_height <= 0) return;
        const int x0 = int(int64_t(visible.x) - x), x1 = x0 + visible.width;
        const int y0 = int(int64_t(visible.y) - y), y1 = y0 + visible.height;
        x_ = x, y_ = y, x0_ = x0, x1_ = x1;
        unscaled_ = w == picture_width && h == picture_height;
        if (unscaled_) {
            first_row_ = y0;
            end_row_ = y1;
            return;
        }
        columns_ = axis_weights(picture_width, w, x0, x1);
        rows_ = axis_weights(picture_height, h, y0, y1);
        out_width_ = int(columns_.first.size());
        ring_.resize(size_t(rows_.max_count) * size_t(out_width_) * stretch_rows::kChannels);
        inputs_.resize(size_t(rows_.max_count));
        first_row_ = rows_.first.front();
        end_row_ = rows_.first.back() + rows_.count.back();
        next_ = bottom_first ? int(rows_.first.size()) - 1 : 0;
    }

    // Rows read from here on draw nothing: the decoder may stop there.
    int rows_needed() const {
        if (end_row_ <= first_row_) return 0;
        return bottom_first_ ? picture_height_ - first_row_ : end_row_;
    }

    // The `arrived`-th row read.
    void add(int arrived, const uint8_t* pixels) {
        const int source_row = bottom_first_ ? picture_height_ - 1 - arrived : arrived;
        if (source_row < first_row_ || source_row >= end_row_) return;
        if (unscaled_) {
            stretch_rows::copy_row_opaque(pixels + size_t(x0_) * 4, destination(source_row, x0_), size_t(x1_ - x0_));
            return;
        }
        stretch_rows::horizontal_pass(pixels, picture_width_, columns_, decoded_, ring_row(source_row));
        if (bottom_first_) {
            for (; next_ >= 0 && rows_.first[size_t(next_)] >= source_row; --next_) draw(next_);
        } else {
            const int n = int(rows_.first.size());
            for (; next_ < n && rows_.first[size_t(next_)] + rows_.count[size_t(next_)] - 1 <= source_row; ++next_)
                draw(next_);
        }
    }

private:
    // Destination row j of the rectangle, from its source rows in the ring.
    void draw(int j) {
        for (int k = 0; k < rows_.count[size_t(j)]; ++k) inputs_[size_t(k)] = ring_row(rows_.first[size_t(j)] + k);
        stretch_rows::vertical_pass(rows_, j, inputs_.data(), out_width_, sum_, destination(rows_.begin + j, columns_.begin));
    }
    // Not row(): the caller marks the change once, when the drawing is done.
    uint8_t* destination(int row_in_rect, int column_in_rect) {
        return target_.bytes.data() + size_t(y_ + row_in_rect) * target_.stride() + size_t(x_ + column_in_rect) * 4;
    }
    float* ring_row(int source_row) {
        const size_t slot = size_t(source_row % rows_.max_count);
        return ring_.data() + slot * size_t(out_width_) * stretch_rows::kChannels;
    }

    Image32& target_;
    int picture_width_, picture_height_;
    bool bottom_first_;
    bool unscaled_ = false;
    int x_ = 0, y_ = 0, x0_ = 0, x1_ = 0;  // the rectangle's corner; its visible columns
    int first_row_ = 0, end_row_ = 0;       // the source rows that draw something
    AxisWeights columns_, rows_;
    int out_width_ = 0;
    int next_ = 0;  // the next destination row to write (going up when the rows come bottom first)
    std::vector<float> ring_, decoded_, sum_;
    std::vector<const float*> inputs_;
};

// Decoded rows go from the decoding thread to the drawing one in bands, a few bands deep: enough that neither
// waits on the other's every row, little enough to stay in the processor's cache.
constexpr int kBandRows = 16;
constexpr int kBands = 4;

class BandRing {
public:
    BandRing(int width, int rows) : width_(width), rows_(rows), pixels_(size_t(width) * 4 * kBandRows * kBands) {}

    int bands() const { return (rows_ + kBandRows - 1) / kBandRows; }
    int first_row(int band) const { return band * kBandRows; }
    int rows_in(int band) const { return std::min(kBandRows, rows_ - first_row(band)); }
    uint8_t* row(int band, int i) {
        return pixels_.data() + (size_t(band % kBands) * kBandRows + size_t(i)) * size_t(width_) * 4;
    }

    // Fills `band` from the picture; a failure is the picture's breaking off.
    Outcome decode(RowSource& picture, int band) {
        uint8_t* rows[kBandRows];
        for (int i = 0; i < rows_in(band); ++i) rows[i] = row(band, i);
        return picture.read_rows(rows, rows_in(band));
    }
    void draw(RowDrawer& drawer, int band) {
        for (int i = 0; i < rows_in(band); ++i) drawer.add(first_row(band) + i, row(band, i));
    }

private:
    int width_;
    int rows_;
    PixelBytes pixels_;
};

Outcome decode_and_draw_in_turn(RowSource& picture, BandRing& ring, RowDrawer& drawer) {
    for (int band = 0; band < ring.bands(); ++band) {
        if (Outcome decoded = ring.decode(picture, band); !decoded.ok) return decoded;
        ring.draw(drawer, band);
    }
    return Outcome::done();
}

// Which bands are decoded and which drawn, between the two threads.
struct Handover {
    std::mutex mutex;
    std::condition_variable changed;
    int decoded = 0;  // bands filled
    int drawn = 0;    // bands taken
    bool broke = false;
    Outcome decoding = Outcome::done();  // why the picture broke off, when it did

    void decode_all(RowSource& picture, BandRing& ring) {
        for (int band = 0; band < ring.bands(); ++band) {
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return band - drawn < kBands || broke; });
                if (broke) return;  // the drawing gave up: nobody takes more bands
            }
            Outcome band_decoded = ring.decode(picture, band);
            const bool ok = band_decoded.ok;
            {
                std::lock_guard lock(mutex);
                if (ok) decoded = band + 1;
                else broke = true, decoding = std::move(band_decoded);
            }
            changed.notify_all();
            if (!ok) return;
        }
    }

    bool draw_all(BandRing& ring, RowDrawer& drawer) {
        for (int band = 0; band < ring.bands(); ++band) {
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return decoded > band || broke; });
                if (decoded <= band) return false;
            }
            ring.draw(drawer, band);
            {
                std::lock_guard lock(mutex);
                drawn = band + 1;
            }
            changed.notify_all();
        }
        return true;
    }
};

}  // namespace

Outcome stretch_rows_copy(RowSource& picture, Image32& target, int x, int y, int w, int h) {
    if (target.empty() || !target.well_formed() || picture.width() <= 0 || picture.height() <= 0 || w <= 0 || h <= 0)
        return Outcome::done();
    RowDrawer drawer(picture.width(), picture.height(), picture.bottom_first(), target, x, y, w, h);
    BandRing ring(picture.width(), std::min(drawer.rows_needed(), picture.height()));
    target.touch();
    Handover handover;
    std::thread decoder;
    try {
        decoder = std::thread([&] { handover.decode_all(picture, ring); });
    } catch (const std::system_error&) {
        return decode_and_draw_in_turn(picture, ring, drawer);  // no thread to spare: one band after the other
    }
    bool whole = false;
    try {
        whole = handover.draw_all(ring, drawer);
    } catch (...) {  // no memory for a row's scratch space: the decoder must not wait for it for ever
        {
            std::lock_guard lock(handover.mutex);
            handover.broke = true;
        }
        handover.changed.notify_all();
        decoder.join();
        throw;
    }
    decoder.join();
    if (whole) return Outcome::done();
    return handover.decoding.ok ? Outcome::failed("the picture broke off") : handover.decoding;
}

}  // namespace morvane
