#include "app/forms/dropped_picture.h"

#include "app/core/key_values.h"

#include <array>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace morvane::app {

namespace {

bool has_picture_suffix(const std::filesystem::path& file) {
    const std::string suffix = ascii_lower(file.extension().string());
    for (const char* known : {".bmp", ".dib", ".jpg", ".jpeg", ".jpe", ".png", ".gif"})
        if (suffix == known) return true;
    return false;
}

bool starts_like_a_picture(const std::filesystem::path& file) {
    std::array<char, 8> head{};
    std::ifstream in(file, std::ios::binary);
    in.read(head.data(), head.size());
    const std::string_view start(head.data(), size_t(in.gcount()));
    for (std::string_view magic : {std::string_view("BM"), std::string_view("\xFF\xD8\xFF"),
                                   std::string_view("\x89PNG\r\n\x1A\n"), std::string_view("GIF8")})
        if (start.substr(0, magic.size()) == magic) return true;
    return false;
}

}  // namespace

std::optional<std::filesystem::path> picture_to_take(const std::vector<std::filesystem::path>& dropped) {
    for (const std::filesystem::path& file : dropped) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) continue;
        if (has_picture_suffix(file) || starts_like_a_picture(file)) return file;
    }
    return std::nullopt;
}

}  // namespace morvane::app
