#pragma once
// Pictures and block helpers for the encoder tests. libsquish's decoder is the independent reader of every
// block, and its iterative cluster fit the reference our encoder is held to. A build without libsquish
// decodes with our own decoder (which the libsquish build holds to libsquish's) and has no reference fit.
#include "dxt/block_encoder.h"
#include "dxt/block_format.h"

#ifdef MORVANE_HAVE_SQUISH
#include <squish.h>
#endif

#include <vector>

namespace morvane::dxt::test {

struct Picture { int width = 0, height = 0; std::vector<uint8_t> bgra; };  // B, G, R, A rows top first

// Smooth shading, fine texture, hard edges and a few flat areas, as in a photograph.
Picture photo_like(int width, int height, uint32_t seed = 1);
// The photograph `file` (say "Dune.jpg") of the wallpaper set that `scripts/setup.sh test` installs: scaled
// whole to width x height, or with `cut`, the width x height at (x, y) at its own resolution, the detail as the
// camera took it. Empty when missing.
Picture installed_photo(const char* file, int width, int height, bool cut = false, int x = 0, int y = 0);

struct Format { const char* name; void (*compress)(const uint8_t*, int, int, uint8_t*, int threads); int block_bytes; BlockFormat format; };
inline constexpr Format kFormats[] = {{"DXT1", morvane_compress_dxt1, 8, BlockFormat::Dxt1},
                                     {"DXT3", morvane_compress_dxt3, 16, BlockFormat::Dxt3},
                                     {"DXT5", morvane_compress_dxt5, 16, BlockFormat::Dxt5}};
inline constexpr const Format &kDxt1 = kFormats[0], &kDxt3 = kFormats[1], &kDxt5 = kFormats[2];

// threads = 0: the library's pool.
std::vector<uint8_t> compress(const Format& f, const Picture& p, int threads = 0);
#ifdef MORVANE_HAVE_SQUISH
// libsquish's iterative cluster fit, or the `fit` named, weighing the channels by `metric` when given.
std::vector<uint8_t> squish_fit(const Format& f, const Picture& p, int fit = squish::kColourIterativeClusterFit,
                                float* metric = nullptr);
#endif
std::vector<uint8_t> decode(const Format& f, const std::vector<uint8_t>& blocks, const Picture& p);  // R, G, B, A

// Squared RGB error of each 4 x 4 block of the decoded picture (pixels outside the picture left out).
std::vector<double> block_errors(const Picture& p, const std::vector<uint8_t>& decoded_rgba);

}  // namespace morvane::dxt::test
