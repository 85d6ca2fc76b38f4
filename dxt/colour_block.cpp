#include "dxt/colour_block.h"

namespace morvane::dxt {
namespace {

void put_block(uint16_t colour0, uint16_t colour1, const uint8_t selectors[16], const uint8_t remap[4],
               uint8_t* out) {
    out[0] = uint8_t(colour0);
    out[1] = uint8_t(colour0 >> 8);
    out[2] = uint8_t(colour1);
    out[3] = uint8_t(colour1 >> 8);
    for (int row = 0; row < 4; ++row) {
        uint8_t byte = 0;
        for (int x = 0; x < 4; ++x) byte |= uint8_t(remap[selectors[row * 4 + x] & 3] << (2 * x));
        out[4 + row] = byte;
    }
}

}  // namespace

void write_four_colour_block(EndpointPair e, const uint8_t selectors[16], uint8_t* out) {
    static constexpr uint8_t same[4] = {0, 1, 2, 3};
    static constexpr uint8_t swapped[4] = {1, 0, 3, 2};
    uint16_t c0 = pack565(e.first), c1 = pack565(e.second);
    if (c0 > c1) {
        put_block(c0, c1, selectors, same, out);
    } else if (c0 < c1) {
        put_block(c1, c0, selectors, swapped, out);
    } else {
        // Both endpoints are one colour, so every entry decodes to it. Give the block a second, smaller
        // endpoint and point every pixel at the real colour: four-colour mode, exact colour.
        static constexpr uint8_t all_first[4] = {0, 0, 0, 0};
        static constexpr uint8_t all_second[4] = {1, 1, 1, 1};
        if (c0 > 0)
            put_block(c0, uint16_t(c0 - 1), selectors, all_first, out);
        else
            put_block(1, 0, selectors, all_second, out);
    }
}

void write_three_colour_block(EndpointPair e, const uint8_t selectors[16], uint8_t* out) {
    static constexpr uint8_t same[4] = {0, 1, 2, 2};
    static constexpr uint8_t swapped[4] = {1, 0, 2, 2};
    uint16_t c0 = pack565(e.first), c1 = pack565(e.second);
    if (c0 <= c1)
        put_block(c0, c1, selectors, same, out);
    else
        put_block(c1, c0, selectors, swapped, out);
}

}  // namespace morvane::dxt
