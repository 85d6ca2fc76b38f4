#include "test_support.h"

#include "dxt/block_decoder.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace morvane::dxt::test {

Picture photo_like(int width, int height, uint32_t seed) {
    Picture p{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4)};
    uint32_t state = seed * 2654435761u + 12345u;
    auto noise = [&] { return int((state = state * 1664525u + 1013904223u) >> 28) - 8; };  // -8 .. 7
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // Sky-like shading on top, textured ground below a hard horizon, a dark disc, a flat patch.
            const double u = double(x) / width, v = double(y) / height, dx = u - 0.7, dy = v - 0.3;
            const double t = std::sin(x * 0.9) * std::cos(y * 1.3) * 40 + std::sin(x * 0.05 + y * 0.07) * 50;
            const bool sky = v < 0.45;
            double r = sky ? 90 + 80 * v : 110 + t, g = sky ? 140 + 60 * v + 20 * std::sin(u * 7) : 90 + t * 0.8 + 30 * u,
                   b = sky ? 230 - 40 * u : 40 + t * 0.3;
            if (dx * dx + dy * dy < 0.01) { r = 30; g = 20 + 40 * u; b = 25; }
            if (u < 0.1 && v > 0.9) { r = 200; g = 201; b = 17; }
            else { r += noise(); g += noise(); b += noise(); }
            const double bgra[4] = {b, g, r, 255};
            for (int c = 0; c < 4; ++c) p.bgra[(size_t(y) * width + x) * 4 + size_t(c)] = uint8_t(std::clamp(bgra[c], 0.0, 255.0));
        }
    return p;
}

Picture installed_photo(const char* file, int width, int height, bool cut, int x, int y) {
    QImage image(QString("/usr/share/backgrounds/mate/nature/") + file);
    if (image.isNull() || x + width > image.width() || y + height > image.height()) return {};
    image = (cut ? image.copy(x, y, width, height)
                 : image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
                .convertToFormat(QImage::Format_RGB32);
    Picture p{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4)};
    for (int row = 0; row < height; ++row)
        std::memcpy(&p.bgra[size_t(row) * width * 4], image.constScanLine(row), size_t(width) * 4);
    return p;
}

std::vector<uint8_t> compress(const Format& f, const Picture& p, int threads) {
    std::vector<uint8_t> blocks(size_t(compressed_bytes(f.format, p.width, p.height)));
    f.compress(p.bgra.data(), p.width, p.height, blocks.data(), threads);
    return blocks;
}

#ifdef MORVANE_HAVE_SQUISH
static int squish_format(const Format& f) {
    return f.format == BlockFormat::Dxt1 ? squish::kDxt1 : f.format == BlockFormat::Dxt3 ? squish::kDxt3 : squish::kDxt5;
}

std::vector<uint8_t> squish_fit(const Format& f, const Picture& p, int fit, float* metric) {
    std::vector<uint8_t> rgba = p.bgra, blocks(size_t(compressed_bytes(f.format, p.width, p.height)));
    for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
    squish::CompressImage(rgba.data(), p.width, p.height, blocks.data(), squish_format(f) | fit, metric);
    return blocks;
}
#endif

std::vector<uint8_t> decode(const Format& f, const std::vector<uint8_t>& blocks, const Picture& p) {
    std::vector<uint8_t> rgba(size_t(p.width) * size_t(p.height) * 4);
#ifdef MORVANE_HAVE_SQUISH
    squish::DecompressImage(rgba.data(), p.width, p.height, blocks.data(), squish_format(f));
#else
    decode_image(f.format, blocks.data(), p.width, p.height, rgba.data());
    for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);  // to R, G, B, A
#endif
    return rgba;
}

std::vector<double> block_errors(const Picture& p, const std::vector<uint8_t>& rgba) {
    const int across = (p.width + 3) / 4;
    std::vector<double> errors(size_t(across) * size_t((p.height + 3) / 4), 0.0);
    for (size_t i = 0; i < p.bgra.size(); ++i) {
        const int x = int(i / 4) % p.width, y = int(i / 4) / p.width, c = int(i % 4);  // B, G, R against R, G, B
        if (c < 3) errors[size_t(y / 4 * across + x / 4)] += std::pow(double(p.bgra[i]) - rgba[i - i % 4 + size_t(2 - c)], 2);
    }
    return errors;
}

}  // namespace morvane::dxt::test
