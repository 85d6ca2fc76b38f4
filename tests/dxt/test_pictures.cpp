#include "test_pictures.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace morvane::dxt::test {

Picture photo_like(int width, int height, uint32_t seed) {
    Picture p{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4)};
    uint32_t state = seed * 2654435761u + 12345u;
    auto noise = [&] {
        state = state * 1664525u + 1013904223u;
        return int(state >> 28) - 8;  // -8 .. 7
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double u = double(x) / width, v = double(y) / height;
            // Sky-like shading on top, textured ground below a hard horizon, a dark disc, a flat patch.
            double r, g, b;
            if (v < 0.45) {
                r = 90 + 80 * v; g = 140 + 60 * v + 20 * std::sin(u * 7); b = 230 - 40 * u;
            } else {
                double t = std::sin(x * 0.9) * std::cos(y * 1.3) * 40 + std::sin(x * 0.05 + y * 0.07) * 50;
                r = 110 + t; g = 90 + t * 0.8 + 30 * u; b = 40 + t * 0.3;
            }
            double dx = u - 0.7, dy = v - 0.3;
            if (dx * dx + dy * dy < 0.01) { r = 30; g = 20 + 40 * u; b = 25; }
            if (u < 0.1 && v > 0.9) { r = 200; g = 201; b = 17; }
            else { r += noise(); g += noise(); b += noise(); }
            uint8_t* px = &p.bgra[(size_t(y) * width + x) * 4];
            px[0] = uint8_t(std::clamp(b, 0.0, 255.0));
            px[1] = uint8_t(std::clamp(g, 0.0, 255.0));
            px[2] = uint8_t(std::clamp(r, 0.0, 255.0));
            px[3] = 255;
        }
    return p;
}

Picture installed_photo(int width, int height) {
    namespace fs = std::filesystem;
    const fs::path folder = "/usr/share/backgrounds/mate/nature";
    std::error_code ec;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(folder, ec))
        if (e.path().extension() == ".jpg") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    if (files.empty()) return {};
    QImage image(QString::fromStdString(files.front().string()));
    if (image.isNull()) return {};
    image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
    Picture p{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4)};
    for (int y = 0; y < height; ++y) std::memcpy(&p.bgra[size_t(y) * width * 4], image.constScanLine(y), size_t(width) * 4);
    return p;
}

}  // namespace morvane::dxt::test
