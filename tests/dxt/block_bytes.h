#pragma once
// Reading blocks as a decoder does, for the encoder tests.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvane::dxt::test {

struct ColourBlock {
    uint16_t colour0 = 0, colour1 = 0;
    uint8_t selector[16] = {};
    bool four_colour() const { return colour0 > colour1; }
};

inline ColourBlock read_colour_block(const uint8_t* p) {
    ColourBlock b;
    b.colour0 = uint16_t(p[0] | p[1] << 8);
    b.colour1 = uint16_t(p[2] | p[3] << 8);
    for (int i = 0; i < 16; ++i) b.selector[i] = (p[4 + i / 4] >> (2 * (i % 4))) & 3;
    return b;
}

inline size_t block_count(int width, int height) {
    return size_t(width > 4 ? (width + 3) / 4 : 1) * size_t(height > 4 ? (height + 3) / 4 : 1);
}

// Squared RGB error of each 4 x 4 block (pixels outside the picture left out).
std::vector<double> block_errors(const std::vector<uint8_t>& bgra, const std::vector<uint8_t>& decoded_rgba, int width,
                                 int height);

}  // namespace morvane::dxt::test
