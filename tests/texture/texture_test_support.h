#pragma once
// Shared by the texture tests: surfaces set up as the main window's, pictures, and recorders for the
// progress and alert interfaces.
#include "dxt/encoder_choice.h"
#include "platform/picture_surface.h"
#include "texture/vtfmod.h"

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace morvane_test {

// A smooth picture: red grows to the right, green downwards, blue fixed at 128.
inline morvane::Image32 gradient_picture(int w, int h) {
    morvane::Image32 image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.set_pixel(x, y, {128, uint8_t(h > 1 ? 255 * y / (h - 1) : 0), uint8_t(w > 1 ? 255 * x / (w - 1) : 0), 255});
    return image;
}

// A picture whose colours lie on one line from green (top-left) to red (bottom-right), so that every level
// and every block can be coded closely; red grows twice as fast to the right as downwards.
inline morvane::Image32 diagonal_picture(int w, int h) {
    morvane::Image32 image(w, h);
    const int span = 2 * (w - 1) + (h - 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int t = span > 0 ? 255 * (2 * x + y) / span : 0;
            image.set_pixel(x, y, {128, uint8_t(255 - t), uint8_t(t), 255});
        }
    return image;
}

// Source_Buffer holding `picture` one to one, and an empty Temp_Buffer: both in pixels, flat, no border.
struct BuildSurfaces {
    morvane::PictureSurface source;
    morvane::PictureSurface scratch;
    explicit BuildSurfaces(const morvane::Image32& picture) {
        source.set_height_pixels(picture.height);
        source.set_width_pixels(picture.width);
        source.clear();
        source.stretch_copy(picture, 0, 0, picture.width, picture.height);
    }
};

struct RecordedProgress : vtfmod::BuildProgress {
    std::vector<std::string> calls;  // "max 11", "value 3", "yield"
    int32_t current = 0;
    void set_max(int32_t max) override { calls.push_back("max " + std::to_string(max)); }
    int32_t value() override { return current; }
    void set_value(int32_t v) override {
        current = v;
        calls.push_back("value " + std::to_string(v));
    }
    void yield() override { calls.push_back("yield"); }
};

struct RecordedAlerts : vtfmod::BuildAlerts {
    std::vector<std::string> shown;
    void show_error(const std::string& text) override { shown.push_back(text); }
};

inline std::vector<uint8_t> file_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_bytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A fresh, empty folder under the system's temporary folder, removed again at the end of the test.
class ScratchFolder {
public:
    ScratchFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("morvane-texture-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) out.push_back(entry.path().filename().string());
        return out;
    }

private:
    std::filesystem::path path_;
};

// Large builds whose bytes, not quality, a test checks use libsquish's fast range fit meanwhile.
class FastEncoder {
public:
    FastEncoder() : previous_(morvane::dxt::current_encoder()) { morvane::dxt::set_encoder(morvane::dxt::Encoder::SquishRangeFit); }
    ~FastEncoder() { morvane::dxt::set_encoder(previous_); }
    FastEncoder(const FastEncoder&) = delete;
    FastEncoder& operator=(const FastEncoder&) = delete;

private:
    morvane::dxt::Encoder previous_;
};

inline uint32_t u32_at(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

}  // namespace morvane_test
