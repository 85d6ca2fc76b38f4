#include "dxt/block_decoder.h"

#include "dxt/alpha_block.h"
#include "dxt/block_format.h"
#include "dxt/colour_block.h"

namespace morvane::dxt {
namespace {

struct DecodedBlock {
    uint8_t bgra[16][4];
};

void decode_colour(const uint8_t* in, bool dxt1, DecodedBlock& out) {
    const uint16_t c0 = uint16_t(in[0] | in[1] << 8), c1 = uint16_t(in[2] | in[3] << 8);
    const bool three_colour = dxt1 && c0 <= c1;
    const Palette p = decoded_palette({unpack565(c0), unpack565(c1)},
                                      three_colour ? PaletteMode::ThreeColour : PaletteMode::FourColour);
    for (int i = 0; i < 16; ++i) {
        const int k = (in[4 + i / 4] >> (2 * (i % 4))) & 3;
        const bool transparent = three_colour && k == 3;
        out.bgra[i][0] = transparent ? 0 : uint8_t(p.b[k]);
        out.bgra[i][1] = transparent ? 0 : uint8_t(p.g[k]);
        out.bgra[i][2] = transparent ? 0 : uint8_t(p.r[k]);
        out.bgra[i][3] = transparent ? 0 : 255;
    }
}

void decode_alpha_4bit(const uint8_t* in, DecodedBlock& out) {
    for (int i = 0; i < 16; ++i) out.bgra[i][3] = uint8_t(((in[i / 2] >> (4 * (i % 2))) & 15) * 17);
}

void decode_alpha(const uint8_t* in, DecodedBlock& out) {
    const AlphaPalette p = alpha_palette(in[0], in[1]);
    uint64_t selectors = 0;
    for (int b = 0; b < 6; ++b) selectors |= uint64_t(in[2 + b]) << (8 * b);
    for (int i = 0; i < 16; ++i) out.bgra[i][3] = uint8_t(p.value[(selectors >> (3 * i)) & 7]);
}

}  // namespace

void decode_image(BlockFormat format, const uint8_t* blocks, int width, int height, uint8_t* bgra) {
    const int across = blocks_across(width), down = blocks_across(height);
    for (int by = 0; by < down; ++by) {
        for (int bx = 0; bx < across; ++bx) {
            const uint8_t* in = blocks + (size_t(by) * across + bx) * size_t(block_bytes(format));
            DecodedBlock block;
            switch (format) {
                case BlockFormat::Dxt1: decode_colour(in, true, block); break;
                case BlockFormat::Dxt3:
                    decode_colour(in + kAlphaBlockBytes, false, block);
                    decode_alpha_4bit(in, block);
                    break;
                case BlockFormat::Dxt5:
                    decode_colour(in + kAlphaBlockBytes, false, block);
                    decode_alpha(in, block);
                    break;
            }
            for (int i = 0; i < 16; ++i) {  // pixels past the picture's edge are not written
                const int x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x < width && y < height)
                    for (int c = 0; c < 4; ++c) bgra[(size_t(y) * width + x) * 4 + c] = block.bgra[i][c];
            }
        }
    }
}

}  // namespace morvane::dxt
