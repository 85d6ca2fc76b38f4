#include "app/core/game_folder.h"

#include "app/core/utf8_path.h"

#include <filesystem>
#include <system_error>

namespace morvanemod {

namespace {
std::string joined(std::string base, const char* name) {
    base += kPathSeparator;
    base += name;
    return base;
}
bool is_continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::string game_folder_from_exe(const std::string& exe_file) {
    std::string::size_type end = exe_file.size();
    for (int removed = 0; removed < 8; ++removed) {
        if (end == 0) return {};
        --end;
        while (end > 0 && is_continuation_byte(exe_file[end])) --end;
    }
    return exe_file.substr(0, end);
}

std::string materials_folder(const std::string& game_folder) {
    return joined(joined(game_folder, "cstrike"), "materials");
}

std::string console_folder(const std::string& game_folder) {
    return joined(materials_folder(game_folder), "console");
}

std::string texture_file(const std::string& console_path) { return joined(console_path, "background01.vtf"); }

bool path_exists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return std::filesystem::exists(path_from_utf8(path), ec);
}

bool folder_exists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_directory(path_from_utf8(path), ec);
}

}  // namespace morvanemod
