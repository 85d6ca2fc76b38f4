#pragma once
// Morvane's own DXT encoder. Pixels are B, G, R, A bytes, rows top first, no row padding; `out` holds
// max(1, ceil(width / 4)) * max(1, ceil(height / 4)) blocks of 8 bytes (DXT1) or 16 bytes (DXT3, DXT5).
// Any size works, 1 x 1 included: blocks past the right or bottom edge repeat the last real pixels.
// Each call spreads its blocks over the library's threads and returns when all are written; the bytes
// are the same whatever the number of threads.
#include <cstdint>

namespace morvane::dxt {

// DXT1 ignores alpha: every block is opaque (three-colour mode is used only for its three colours).
void morvane_compress_dxt1(const uint8_t* bgra, int width, int height, uint8_t* out);
// DXT3: colour as DXT1 in four-colour mode, alpha in 4 bits per pixel.
void morvane_compress_dxt3(const uint8_t* bgra, int width, int height, uint8_t* out);
// DXT5: colour in four-colour mode, alpha as an interpolated block (exact where a block has one alpha).
void morvane_compress_dxt5(const uint8_t* bgra, int width, int height, uint8_t* out);

// The same with a chosen number of threads (1 = only the calling thread), for tests and benchmarks.
void morvane_compress_dxt1(const uint8_t* bgra, int width, int height, uint8_t* out, int threads);
void morvane_compress_dxt3(const uint8_t* bgra, int width, int height, uint8_t* out, int threads);
void morvane_compress_dxt5(const uint8_t* bgra, int width, int height, uint8_t* out, int threads);

}  // namespace morvane::dxt
