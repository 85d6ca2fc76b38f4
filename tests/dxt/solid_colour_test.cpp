// Blocks of one colour: decoded by libsquish, they must give the nearest colour any endpoint pair reaches.
#include "block_bytes.h"
#include "dxt/block_encoder.h"

#include <gtest/gtest.h>
#include <squish.h>

#include <algorithm>
#include <cstdlib>

namespace morvane::dxt::test {
namespace {

int expand(int q, int bits) { return bits == 5 ? (q << 3) | (q >> 2) : (q << 2) | (q >> 4); }

// The smallest distance from v to any palette entry of any endpoint pair, by trying them all.
int nearest_reachable(int v, int bits, bool three_colour) {
    int best = 256;
    for (int a = 0; a < (1 << bits); ++a)
        for (int b = 0; b < (1 << bits); ++b) {
            int ea = expand(a, bits), eb = expand(b, bits);
            int entries[4] = {ea, eb, three_colour ? (ea + eb) / 2 : (2 * ea + eb) / 3, three_colour ? ea : (ea + 2 * eb) / 3};
            for (int e : entries) best = std::min(best, std::abs(e - v));
        }
    return best;
}

struct Rgb { int r, g, b; };

int best_squared_error(Rgb c, bool allow_three_colour) {
    auto mode = [&](bool three) {
        int r = nearest_reachable(c.r, 5, three), g = nearest_reachable(c.g, 6, three),
            b = nearest_reachable(c.b, 5, three);
        return r * r + g * g + b * b;
    };
    int four = mode(false);
    return allow_three_colour ? std::min(four, mode(true)) : four;
}

int decoded_squared_error(Rgb c, int squish_format) {
    uint8_t bgra[16 * 4];
    for (int i = 0; i < 16; ++i) {
        bgra[4 * i] = uint8_t(c.b); bgra[4 * i + 1] = uint8_t(c.g); bgra[4 * i + 2] = uint8_t(c.r); bgra[4 * i + 3] = 255;
    }
    uint8_t block[16];
    if (squish_format == squish::kDxt1) morvane_compress_dxt1(bgra, 4, 4, block);
    else morvane_compress_dxt5(bgra, 4, 4, block);
    uint8_t rgba[16 * 4];
    squish::Decompress(rgba, block, squish_format);
    int worst = 0;
    for (int i = 0; i < 16; ++i) {
        int dr = rgba[4 * i] - c.r, dg = rgba[4 * i + 1] - c.g, db = rgba[4 * i + 2] - c.b;
        worst = std::max(worst, dr * dr + dg * dg + db * db);
    }
    return worst;
}

std::vector<Rgb> sample_colours() {
    std::vector<Rgb> colours;
    for (int v = 0; v < 256; v += 3) colours.push_back({v, (v * 7 + 11) % 256, (v * 13 + 5) % 256});
    colours.push_back({0, 0, 0});
    colours.push_back({255, 255, 255});
    colours.push_back({4, 2, 4});      // between the two darkest 5:6:5 steps
    colours.push_back({127, 128, 129});
    return colours;
}

TEST(SolidColourBlocks, Dxt5SolidBlocksDecodeToTheNearestColourAnyFourColourPaletteReaches) {
    for (Rgb c : sample_colours())
        EXPECT_EQ(decoded_squared_error(c, squish::kDxt5), best_squared_error(c, false))
            << "colour " << c.r << "," << c.g << "," << c.b;
}

TEST(SolidColourBlocks, Dxt1SolidBlocksDecodeToTheNearestColourOfEitherMode) {
    for (Rgb c : sample_colours())
        EXPECT_EQ(decoded_squared_error(c, squish::kDxt1), best_squared_error(c, true))
            << "colour " << c.r << "," << c.g << "," << c.b;
}

TEST(SolidColourBlocks, ColoursThatAre565ValuesDecodeExactlyAndStayFourColourInDxt5) {
    for (int q : {0, 1, 17, 30, 31}) {
        Rgb c{expand(q, 5), expand(q * 2 + 1, 6), expand(31 - q, 5)};
        uint8_t bgra[64];
        for (int i = 0; i < 16; ++i) {
            bgra[4 * i] = uint8_t(c.b); bgra[4 * i + 1] = uint8_t(c.g); bgra[4 * i + 2] = uint8_t(c.r); bgra[4 * i + 3] = 255;
        }
        uint8_t block[16];
        morvane_compress_dxt5(bgra, 4, 4, block);
        EXPECT_TRUE(read_colour_block(block + 8).four_colour()) << "q " << q;
        EXPECT_EQ(decoded_squared_error(c, squish::kDxt5), 0) << "q " << q;
    }
}

}  // namespace
}  // namespace morvane::dxt::test
