#include "platform/pictures/reduction_pyramid.h"

#include "platform/pictures/srgb.h"
#include "platform/pictures/two_halves.h"

#include <cmath>
#include <functional>

namespace morvane {
namespace {

using LinearSamples = ReductionPyramid::LinearSamples;

constexpr float kLinearScale = 65535.0f;
// Blue, green and red only: the fourth byte is always drawn as 255, and the first level, the largest array
// the capture makes after the pixels themselves, is a quarter smaller without it.
constexpr int kLinearChannels = 3;

// 8-bit code -> 16-bit linear light, and 16-bit linear light -> the nearest 8-bit code.
struct LinearTables {
    uint16_t decode[256];
    uint8_t encode[65536];

    LinearTables() {
        const SrgbTables& srgb = srgb_tables();
        for (int c = 0; c < 256; ++c) decode[c] = uint16_t(std::lround(srgb.to_linear[c] * kLinearScale));
        for (int v = 0; v < 65536; ++v) encode[v] = linear_to_srgb(srgb, float(v) / kLinearScale);
    }
};

const LinearTables& linear_tables() {
    static const LinearTables tables;
    return tables;
}

// The first halving reads the picture's 8-bit codes directly; output rows first_row .. end_row - 1.
void halve_picture_rows(const Image32& picture, uint16_t* out, int width, int first_row, int end_row) {
    const uint16_t* decode = linear_tables().decode;
    for (int y = first_row; y < end_row; ++y) {
        const uint8_t* t = picture.row(2 * y);
        const uint8_t* b = picture.row(2 * y + 1);
        uint16_t* dst = out + size_t(y) * size_t(width) * kLinearChannels;
        for (int x = 0; x < width; ++x, t += 8, b += 8, dst += kLinearChannels) {
            dst[0] = uint16_t((uint32_t(decode[t[0]]) + decode[t[4]] + decode[b[0]] + decode[b[4]] + 2) >> 2);
            dst[1] = uint16_t((uint32_t(decode[t[1]]) + decode[t[5]] + decode[b[1]] + decode[b[5]] + 2) >> 2);
            dst[2] = uint16_t((uint32_t(decode[t[2]]) + decode[t[6]] + decode[b[2]] + decode[b[6]] + 2) >> 2);
        }
    }
}

// Large levels are worked on by two threads, each taking half of the rows: every row comes out the same
// either way. Below this size starting a thread costs more than it saves.
constexpr long long kPixelsWorthAThread = 256 * 256;

template <class Rows>
void split_rows(int width, int height, const Rows& rows) {
    in_two_halves(height, (long long)width * height >= kPixelsWorthAThread, rows);
}

void halve_picture(const Image32& picture, LinearSamples& out, int width, int height) {
    out.resize(size_t(width) * size_t(height) * kLinearChannels);
    split_rows(width, height, [&](int first, int end) { halve_picture_rows(picture, out.data(), width, first, end); });
}

// Output rows first_row .. end_row - 1 of the halving of a linear level.
void halve_level_rows(const uint16_t* in, int in_width, uint16_t* out, int width, int first_row, int end_row) {
    for (int y = first_row; y < end_row; ++y) {
        constexpr int n = kLinearChannels;
        const uint16_t* top = in + size_t(2 * y) * size_t(in_width) * n;
        const uint16_t* bottom = top + size_t(in_width) * n;
        uint16_t* dst = out + size_t(y) * size_t(width) * n;
        for (int x = 0; x < width; ++x, top += 2 * n, bottom += 2 * n, dst += n)
            for (int c = 0; c < n; ++c)
                dst[c] = uint16_t((uint32_t(top[c]) + top[n + c] + bottom[c] + bottom[n + c] + 2) >> 2);
    }
}

void halve_level(const LinearSamples& in, int in_width, LinearSamples& out, int width, int height) {
    out.resize(size_t(width) * size_t(height) * kLinearChannels);
    split_rows(width, height, [&](int first, int end) {
        halve_level_rows(in.data(), in_width, out.data(), width, first, end);
    });
}

}  // namespace

bool ReductionPyramid::built_from(const Image32& picture) const {
    return source_ == &picture && generation_ == picture.generation() && width_ == picture.width &&
           height_ == picture.height;
}

void ReductionPyramid::clear() {
    levels_.clear();
    levels_.shrink_to_fit();
    source_ = nullptr;
    generation_ = 0;
    width_ = height_ = 0;
}

void ReductionPyramid::build(const Image32& picture) {
    clear();
    source_ = &picture;
    generation_ = picture.generation();
    width_ = picture.width;
    height_ = picture.height;
    if (!picture.well_formed()) return;
    int w = width_, h = height_;
    while (w >= 2 && h >= 2 && w % 2 == 0 && h % 2 == 0) {
        Level level;
        level.width = w / 2;
        level.height = h / 2;
        if (levels_.empty())
            halve_picture(picture, level.linear, level.width, level.height);
        else
            halve_level(levels_.back().linear, w, level.linear, level.width, level.height);
        levels_.push_back(std::move(level));
        w /= 2;
        h /= 2;
    }
}

int ReductionPyramid::level_for(int w, int h) const {
    for (size_t k = 0; k < levels_.size(); ++k)
        if (levels_[k].width == w && levels_[k].height == h) return int(k) + 1;
    return 0;
}

void ReductionPyramid::draw(int k, Image32& target, int x, int y, int x0, int x1, int y0, int y1) const {
    if (k < 1 || k > int(levels_.size())) return;
    const Level& level = levels_[size_t(k) - 1];
    const uint8_t* encode = linear_tables().encode;
    target.touch();  // once, here: the threads below write through plain pointers
    uint8_t* pixels = target.bytes.data();
    const size_t stride = target.stride();
    split_rows(x1 - x0, y1 - y0, [&](int first, int end) {
        for (int dy = y0 + first; dy < y0 + end; ++dy) {
            const uint16_t* src =
                level.linear.data() + (size_t(dy) * size_t(level.width) + size_t(x0)) * kLinearChannels;
            uint8_t* dst = pixels + size_t(y + dy) * stride + size_t(x + x0) * 4;
            for (int i = x0; i < x1; ++i, src += kLinearChannels, dst += 4) {
                dst[0] = encode[src[0]];
                dst[1] = encode[src[1]];
                dst[2] = encode[src[2]];
                dst[3] = 255;
            }
        }
    });
}

size_t ReductionPyramid::bytes() const {
    size_t total = 0;
    for (const Level& l : levels_) total += l.linear.size() * sizeof(uint16_t);
    return total;
}

}  // namespace morvane
