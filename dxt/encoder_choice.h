#pragma once
// Which block encoder the DXT library's Compress_* functions use. The choice is process-wide, as the
// library's exported functions are, and safe to change from any thread; a compression already running
// finishes with the encoder it started with.
#include "dxt/block_format.h"

#include <cstdint>

namespace morvane::dxt {

enum class Encoder {
    Morvane,           // our own encoder (dxt/block_encoder.h)
    SquishClusterFit,  // libsquish, iterative cluster fit: slow, best quality
    SquishRangeFit,    // libsquish, range fit: fast, lower quality
};

// A build without libsquish has only our own encoder: set_encoder then keeps the current choice for the
// libsquish ones, and encoder_available says so beforehand.
bool encoder_available(Encoder e);
void set_encoder(Encoder e);
Encoder current_encoder();

// The encoder named on a command line ("morvane", "squish", "squish-range"); false for any other name.
bool encoder_from_name(const char* name, Encoder& out);
const char* encoder_name(Encoder e);

// Compress width x height pixels laid out B, G, R, A (rows top first) into `out` with the chosen encoder.
// `flags` are the library flags of dxt_squish.h; the pixels are already in the layout those flags ask for.
void compress_with_current_encoder(const uint8_t* bgra, int width, int height, uint8_t* out, BlockFormat format,
                                   int32_t flags);

}  // namespace morvane::dxt

// The same choice for callers that reach the library by export name: 0 = Morvane, 1 = squish cluster fit,
// 2 = squish range fit; any other value leaves the choice as it is.
extern "C" void Set_Dxt_Encoder(int encoder);
