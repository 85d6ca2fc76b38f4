#pragma once
// Pictures for the surface, stretch, texture and loader tests.
#include "platform/pictures/image32.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

namespace morvane::testing {

// Every byte drawn at random (the same bytes for the same seed), so that a shifted row, a swapped channel or a
// level drawn at the wrong size shows.
inline Image32 noise_picture(int w, int h, uint32_t seed = 1) {
    Image32 picture = Image32::unfilled(w, h);
    std::mt19937 random(seed);
    for (uint8_t& b : picture.bytes) b = uint8_t(random());
    picture.touch();
    return picture;
}

// An 8-bit run-length coded BMP of `rows` rows of `width` pixels: each row runs of one grey and its end code,
// then the picture's end code.
inline std::string rle8_bmp(int width, int rows) {
    std::string codes;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < width; x += 255) codes += {char(std::min(255, width - x)), char(y)};
        codes += std::string(2, '\0');
    }
    codes += {'\0', '\1'};
    std::string s = "BM";
    const auto put = [&s](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) s += char(value >> (8 * i));
    };
    for (const auto& [value, bytes] : {std::pair<uint32_t, int>{1078 + uint32_t(codes.size()), 4}, {0, 4}, {1078, 4}, {40, 4},
                                      {uint32_t(width), 4}, {uint32_t(rows), 4}, {1, 2}, {8, 2}, {1, 4},
                                      {uint32_t(codes.size()), 4}, {2835, 4}, {2835, 4}, {256, 4}, {0, 4}})
        put(value, bytes);
    for (uint32_t i = 0; i < 256; ++i) put(i * 0x010101u, 4);
    return s + codes;
}

// `png` (a whole PNG file) with its header claiming `width` x `height` pixels, its checksum right.
inline std::string png_claiming(std::string png, uint32_t width, uint32_t height) {
    for (const auto& [at, value] : {std::pair{16, width}, {20, height}})
        for (int i = 0; i < 4; ++i) png[size_t(at + i)] = char(value >> (24 - 8 * i));
    const uint32_t sum = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17));  // "IHDR" and its 13 bytes
    for (int i = 0; i < 4; ++i) png[size_t(29 + i)] = char(sum >> (24 - 8 * i));
    return png;
}

}  // namespace morvane::testing
