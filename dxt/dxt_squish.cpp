// The library's exported functions: argument checks and the pixel layout the flags ask for, then the
// chosen encoder (encoder_choice.cpp) or libsquish's decoder (our own where the build has no libsquish).
#include "dxt/dxt_squish.h"

#include "dxt/block_format.h"
#include "dxt/encoder_choice.h"
#ifdef MORVANE_HAVE_SQUISH
#include "dxt/squish_encoder.h"
#else
#include "dxt/block_decoder.h"
#endif

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

using morvane::dxt::BlockFormat;
using morvane::dxt::compressed_bytes;

bool usable(const void* a, const void* b, int32_t width, int32_t height) {
    return a != nullptr && b != nullptr && width >= 1 && height >= 1;
}

// The pixels as B, G, R, A with the alpha the block format should carry. Returns `pixels` itself when they
// already are; otherwise fills `copy` and returns it.
const uint8_t* encoder_pixels(const uint8_t* pixels, int32_t width, int32_t height, BlockFormat format,
                              int32_t flags, std::vector<uint8_t>& copy) {
    const size_t n = size_t(width) * size_t(height) * 4;
    const bool swap_red_blue = (flags & kDxtSourceBgra) == 0;
    const bool force_opaque = format == BlockFormat::Dxt1 || (flags & kDxtAlphaFromFourthByte) == 0;
    bool opaque_already = true;
    if (force_opaque) {
        for (size_t i = 3; i < n && opaque_already; i += 4) opaque_already = pixels[i] == 255;
    }
    if (!swap_red_blue && (!force_opaque || opaque_already)) return pixels;

    copy.assign(pixels, pixels + n);
    for (size_t i = 0; i < n; i += 4) {
        if (swap_red_blue) std::swap(copy[i], copy[i + 2]);
        if (force_opaque) copy[i + 3] = 255;
    }
    return copy.data();
}

int32_t compress(const uint8_t* pixels, int32_t width, int32_t height, uint8_t* output, BlockFormat format,
                 int32_t flags) {
    if (!usable(pixels, output, width, height)) return 0;
    std::vector<uint8_t> copy;
    const uint8_t* bgra = encoder_pixels(pixels, width, height, format, flags, copy);
    morvane::dxt::compress_with_current_encoder(bgra, width, height, output, format, flags);
    return 1;
}

int32_t decompress(const uint8_t* blocks, int32_t width, int32_t height, uint8_t* pixels, BlockFormat format,
                   int32_t flags) {
    if (!usable(blocks, pixels, width, height)) return 0;
#ifdef MORVANE_HAVE_SQUISH
    morvane::dxt::squish_decompress(blocks, width, height, pixels, format);
#else
    morvane::dxt::decode_image(format, blocks, width, height, pixels);
#endif
    if ((flags & kDxtSourceBgra) == 0) {
        for (size_t i = 0, n = size_t(width) * size_t(height) * 4; i < n; i += 4) std::swap(pixels[i], pixels[i + 2]);
    }
    return 1;
}

// (v/255)^2.2 for every 8-bit value: the customary display gamma of this header field.
const std::array<double, 256>& gamma_table() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int v = 0; v < 256; ++v) t[size_t(v)] = std::pow(v / 255.0, 2.2);
        return t;
    }();
    return table;
}

}  // namespace

extern "C" {

double Get_Dxt1_Buffer_Size(int32_t width, int32_t height, int32_t) {
    return double(compressed_bytes(BlockFormat::Dxt1, width, height));
}
double Get_Dxt3_Buffer_Size(int32_t width, int32_t height, int32_t) {
    return double(compressed_bytes(BlockFormat::Dxt3, width, height));
}
double Get_Dxt5_Buffer_Size(int32_t width, int32_t height, int32_t) {
    return double(compressed_bytes(BlockFormat::Dxt5, width, height));
}

int32_t Compress_Dxt1_Image(const uint8_t* pixels, int32_t width, int32_t height, uint8_t* output, int32_t flags) {
    return compress(pixels, width, height, output, BlockFormat::Dxt1, flags);
}
int32_t Compress_Dxt3_Image(const uint8_t* pixels, int32_t width, int32_t height, uint8_t* output, int32_t flags) {
    return compress(pixels, width, height, output, BlockFormat::Dxt3, flags);
}
int32_t Compress_Dxt5_Image(const uint8_t* pixels, int32_t width, int32_t height, uint8_t* output, int32_t flags) {
    return compress(pixels, width, height, output, BlockFormat::Dxt5, flags);
}

int32_t Decompress_Dxt1_Image(const uint8_t* blocks, int32_t width, int32_t height, uint8_t* pixels, int32_t flags) {
    return decompress(blocks, width, height, pixels, BlockFormat::Dxt1, flags);
}
int32_t Decompress_Dxt3_Image(const uint8_t* blocks, int32_t width, int32_t height, uint8_t* pixels, int32_t flags) {
    return decompress(blocks, width, height, pixels, BlockFormat::Dxt3, flags);
}
int32_t Decompress_Dxt5_Image(const uint8_t* blocks, int32_t width, int32_t height, uint8_t* pixels, int32_t flags) {
    return decompress(blocks, width, height, pixels, BlockFormat::Dxt5, flags);
}

void Compute_Image_Reflectivity(const uint8_t* pixels, int32_t width, int32_t height, float* vector, int32_t flags) {
    if (!usable(pixels, vector, width, height)) return;
    const bool gamma = (flags & kDxtGammaReflectivity) != 0;
    const size_t red = (flags & kDxtSourceBgra) ? 2 : 0;
    const size_t blue = 2 - red;
    // Sum per 8-bit value first: exact counts, then one weighted sum per channel.
    std::array<std::array<uint64_t, 256>, 3> counts{};
    const size_t n = size_t(width) * size_t(height) * 4;
    for (size_t i = 0; i < n; i += 4) {
        ++counts[0][pixels[i + red]];
        ++counts[1][pixels[i + 1]];
        ++counts[2][pixels[i + blue]];
    }
    const auto& table = gamma_table();
    const double pixel_count = double(width) * double(height);
    for (size_t c = 0; c < 3; ++c) {
        double sum = 0;
        for (size_t v = 0; v < 256; ++v) sum += double(counts[c][v]) * (gamma ? table[v] : v / 255.0);
        vector[c] += float(sum / pixel_count);
    }
}

void Create_Reflectivity(int32_t frames, int32_t faces, int32_t slices, float* vector, int32_t) {
    if (vector == nullptr || frames < 1 || faces < 1 || slices < 1) return;
    const double images = double(frames) * double(faces) * double(slices);
    for (int c = 0; c < 3; ++c) vector[c] = float(vector[c] / images);
}

}  // extern "C"
