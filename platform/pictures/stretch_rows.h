#pragma once
// The two passes of a stretch, one row at a time, shared by the stretch of a whole picture and the stretch of a
// picture that is still arriving, so that both give the same pixels to the byte.
#include "platform/pictures/resample_weights.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvane::stretch_rows {

inline constexpr int kChannels = 3;  // blue, green, red; the fourth byte is always written as 255

// One source row of `width` pixels, decoded to linear light and resampled onto the destination columns of
// `columns`: kChannels floats for each. `decoded` is scratch space, kept between calls.
void horizontal_pass(const uint8_t* source_row, int width, const AxisWeights& columns, std::vector<float>& decoded,
                     float* out);

// Destination row `j` of `rows`, from its source rows already resampled horizontally (inputs[k] for its k-th
// source row), written as opaque pixels to `dst`, `out_width` of them. `sum` is scratch space.
void vertical_pass(const AxisWeights& rows, int j, const float* const* inputs, int out_width,
                   std::vector<float>& sum, uint8_t* dst);

// A row of the same size: the bytes themselves with the fourth one set to 255, no trip through linear light.
void copy_row_opaque(const uint8_t* src, uint8_t* dst, size_t pixels);

}  // namespace morvane::stretch_rows
