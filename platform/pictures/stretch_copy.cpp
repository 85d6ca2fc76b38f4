#include "platform/pictures/stretch_copy.h"

#include "platform/pictures/resample_weights.h"
#include "platform/pictures/stretch_rows.h"
#include "platform/pictures/two_halves.h"

#include <vector>

namespace morvane {
namespace {

using stretch_rows::kChannels;

// Horizontally resampled source rows, kept while the vertical window still needs them. The window only
// moves down, so a ring of as many rows as the widest vertical footprint is enough.
class RowCache {
public:
    RowCache(const Image32& picture, const AxisWeights& columns, int ring_size)
        : picture_(picture), columns_(columns), width_(int(columns.first.size()) * kChannels),
          rows_(size_t(ring_size) * size_t(width_)), owner_(ring_size, -1),
          decoded_(size_t(picture.width) * 4) {}

    const float* row(int source_row) {
        const int slot = source_row % int(owner_.size());
        float* data = rows_.data() + size_t(slot) * size_t(width_);
        if (owner_[slot] != source_row) {
            stretch_rows::horizontal_pass(picture_.row(source_row), picture_.width, columns_, decoded_, data);
            owner_[slot] = source_row;
        }
        return data;
    }

private:
    const Image32& picture_;
    const AxisWeights& columns_;
    int width_;  // floats per row
    std::vector<float> rows_;
    std::vector<int> owner_;  // source row held by each slot
    std::vector<float> decoded_;
};

// Destination rows first_row .. end_row - 1 of the visible rectangle.
void resample_rows(const Image32& picture, Image32& target, int x, int y, const AxisWeights& columns,
                   const AxisWeights& rows, int first_row, int end_row) {
    const int out_width = int(columns.first.size());
    RowCache cache(picture, columns, rows.max_count);
    std::vector<float> sum;
    std::vector<const float*> inputs(size_t(rows.max_count));
    for (int j = first_row; j < end_row; ++j) {
        for (int k = 0; k < rows.count[j]; ++k) inputs[size_t(k)] = cache.row(rows.first[j] + k);
        // Not row(): both threads write here, and resample() marks the change once.
        uint8_t* dst = target.bytes.data() + size_t(y + rows.begin + j) * target.stride() + size_t(x + columns.begin) * 4;
        stretch_rows::vertical_pass(rows, j, inputs.data(), out_width, sum, dst);
    }
}

// Source pixels from which a stretch is worth a second thread: a photograph of several megapixels drawn onto
// the working square takes 70 ms on one core. Each half computes its rows exactly as one thread would.
constexpr long long kSourcePixelsWorthAThread = 1 << 20;

void resample(const Image32& picture, Image32& target, int x, int y, const AxisWeights& columns,
              const AxisWeights& rows) {
    target.touch();
    in_two_halves(int(rows.first.size()), (long long)picture.width * picture.height >= kSourcePixelsWorthAThread,
                  [&](int first, int end) { resample_rows(picture, target, x, y, columns, rows, first, end); });
}

// Same size on both axes: the bytes themselves, no round trip through linear light. A copy of the working
// square (16 MB at 2048) is worth both cores: its time is mostly the system handing out the target's pages.
void copy_unscaled(const Image32& picture, Image32& target, int x, int y, int x0, int x1, int y0, int y1) {
    target.touch();
    const long long pixels = (long long)(x1 - x0) * (y1 - y0);
    in_two_halves(y1 - y0, pixels >= kSourcePixelsWorthAThread, [&](int first, int end) {
        for (int dy = y0 + first; dy < y0 + end; ++dy)  // not row(): both threads write here
            stretch_rows::copy_row_opaque(picture.row(dy) + size_t(x0) * 4,
                                          target.bytes.data() + size_t(y + dy) * target.stride() + size_t(x + x0) * 4,
                                          size_t(x1 - x0));
    });
}

bool has_pixels(const Image32& image) { return !image.empty() && image.well_formed(); }

}  // namespace

void stretch_copy(const Image32& picture, Image32& target, int x, int y, int w, int h) {
    if (!has_pixels(picture) || !has_pixels(target) || w <= 0 || h <= 0) return;
    if (&picture == &target) {  // drawing a surface onto itself reads the picture as it was
        const Image32 copy = picture;
        stretch_copy(copy, target, x, y, w, h);
        return;
    }
    // Visible part of the rectangle, as offsets into it.
    const PixelRect visible = clip_to(target, PixelRect{x, y, w, h});
    if (visible.width == 0 || visible.height == 0) return;
    const int x0 = int(int64_t(visible.x) - x), x1 = x0 + visible.width;
    const int y0 = int(int64_t(visible.y) - y), y1 = y0 + visible.height;

    if (w == picture.width && h == picture.height) {
        copy_unscaled(picture, target, x, y, x0, x1, y0, y1);
        return;
    }
    const AxisWeights columns = axis_weights(picture.width, w, x0, x1);
    const AxisWeights rows = axis_weights(picture.height, h, y0, y1);
    resample(picture, target, x, y, columns, rows);
}

}  // namespace morvane
