#pragma once
// Pictures for the encoder tests: a synthetic picture with the mix of a photograph (smooth shading, fine
// texture, hard edges, a few flat areas), and real photographs from the wallpaper package that the
// benchmark script installs, when it is there.
#include <cstdint>
#include <string>
#include <vector>

namespace morvane::dxt::test {

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> bgra;  // B, G, R, A rows top first
};

Picture photo_like(int width, int height, uint32_t seed = 1);

// The first photograph of the installed wallpaper set, scaled to width x height; empty when none is installed.
Picture installed_photo(int width, int height);

}  // namespace morvane::dxt::test
