#include "app/forms/dropped_picture.h"

#include "app/core/key_values.h"
#include "platform/codecs/picture_kinds.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace morvane::app {

namespace {

bool has_picture_suffix(const std::filesystem::path& file) {
    const std::string suffix = ascii_lower(file.extension().string());
    if (suffix.empty()) return false;
    for (const PictureKind& kind : kPictureKinds)
        for (std::string_view rest = kind.extensions; !rest.empty();) {
            const size_t end = std::min(rest.find(' '), rest.size());
            if (rest.substr(0, end) == suffix) return true;
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
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
