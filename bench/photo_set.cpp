#include "bench/photo_set.h"

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace morvane::bench {

std::vector<std::string> photo_files(const std::vector<std::string>& paths) {
    namespace fs = std::filesystem;
    auto is_picture = [](const fs::path& p) {
        std::string ext = p.extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        return ext == ".jpg" || ext == ".jpeg" || ext == ".png" || ext == ".bmp";
    };
    std::vector<std::string> files;
    for (const auto& path : paths) {
        std::error_code ec;
        if (fs::is_directory(path, ec)) {
            std::vector<std::string> found;
            for (const auto& entry : fs::directory_iterator(path, ec))
                if (entry.is_regular_file() && is_picture(entry.path())) found.push_back(entry.path().string());
            std::sort(found.begin(), found.end());
            files.insert(files.end(), found.begin(), found.end());
        } else if (fs::is_regular_file(path, ec)) {
            files.push_back(path);
        }
    }
    return files;
}

bool load_photo(const std::string& file, Photo& out) {
    QImage image(QString::fromStdString(file));
    if (image.isNull()) {
        std::fprintf(stderr, "skipping %s: not a readable picture\n", file.c_str());
        return false;
    }
    image = image.convertToFormat(QImage::Format_RGB32);  // 0xffRRGGBB words: B, G, R, 255 in memory
    out.name = std::filesystem::path(file).filename().string();
    out.pixels.reset(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(out.pixels.row(y), image.constScanLine(y), out.pixels.stride());
    return true;
}

bool write_scaled_photo(const std::string& source, int width, int height, const std::string& out) {
    QImage image(QString::fromStdString(source));
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", source.c_str());
        return false;
    }
    QImage scaled = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const std::filesystem::path extension = std::filesystem::path(out).extension();
    const char* format = extension == ".png" ? "PNG" : extension == ".bmp" ? "BMP" : "JPG";
    if (!scaled.convertToFormat(QImage::Format_RGB888).save(QString::fromStdString(out), format, format[0] == 'J' ? 92 : -1)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return false;
    }
    return true;
}

}  // namespace morvane::bench
