#include "block_bytes.h"

namespace morvane::dxt::test {

std::vector<double> block_errors(const std::vector<uint8_t>& bgra, const std::vector<uint8_t>& rgba, int width,
                                 int height) {
    const int across = (width + 3) / 4;
    std::vector<double> errors(size_t(across) * size_t((height + 3) / 4), 0.0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            size_t i = (size_t(y) * width + x) * 4;
            double dr = double(bgra[i + 2]) - rgba[i], dg = double(bgra[i + 1]) - rgba[i + 1],
                   db = double(bgra[i]) - rgba[i + 2];
            errors[size_t(y / 4) * across + size_t(x / 4)] += dr * dr + dg * dg + db * db;
        }
    return errors;
}

}  // namespace morvane::dxt::test
