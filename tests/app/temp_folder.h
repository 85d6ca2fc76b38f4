#pragma once
// A fresh folder under the system's temp folder, removed with everything in it at the end of the test.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace morvane::testing {

struct TempFolder {
    const std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / ("morvane-app-" + std::to_string(std::random_device()()));
    TempFolder() { std::filesystem::create_directories(path_); }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
};

inline std::string read_bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void write_bytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace morvane::testing
