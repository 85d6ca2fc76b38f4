#pragma once
// The program keeps paths as UTF-8 strings; the file system wants its own encoding. One place converts.
#include <filesystem>
#include <string>

namespace morvane::app {

inline std::filesystem::path path_from_utf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8_from_path(const std::filesystem::path& path) {
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

}  // namespace morvane::app
