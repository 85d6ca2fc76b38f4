#include "dxt/block_encoder.h"

#include "dxt/image_walker.h"

namespace morvane::dxt {

void morvane_compress_dxt1(const uint8_t* bgra, int width, int height, uint8_t* out, int threads) {
    encode_image(BlockFormat::Dxt1, bgra, width, height, out, threads);
}
void morvane_compress_dxt3(const uint8_t* bgra, int width, int height, uint8_t* out, int threads) {
    encode_image(BlockFormat::Dxt3, bgra, width, height, out, threads);
}
void morvane_compress_dxt5(const uint8_t* bgra, int width, int height, uint8_t* out, int threads) {
    encode_image(BlockFormat::Dxt5, bgra, width, height, out, threads);
}

void morvane_compress_dxt1(const uint8_t* bgra, int width, int height, uint8_t* out) {
    morvane_compress_dxt1(bgra, width, height, out, 0);
}
void morvane_compress_dxt3(const uint8_t* bgra, int width, int height, uint8_t* out) {
    morvane_compress_dxt3(bgra, width, height, out, 0);
}
void morvane_compress_dxt5(const uint8_t* bgra, int width, int height, uint8_t* out) {
    morvane_compress_dxt5(bgra, width, height, out, 0);
}

}  // namespace morvane::dxt
