#include "app/core/game_folder.h"

#include "app/core/utf8_path.h"

#include <filesystem>
#include <system_error>

namespace morvane::app {

namespace {
bool is_separator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}
// A base that ends in a separator already (a drive's root, or a folder typed with one) gets no second one.
std::string joined(std::string base, const char* name) {
    if (base.empty() || !is_separator(base.back())) base += kPathSeparator;
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
    std::string folder = exe_file.substr(0, end);
#ifdef _WIN32
    // Windows takes either slash; the stored folder always has its own.
    for (char& c : folder)
        if (c == '/') c = '\\';
#endif
    return folder;
}

std::string game_folder_from_program(const std::string& program_file) {
#ifdef _WIN32
    return game_folder_from_exe(program_file);
#else
    const auto slash = program_file.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : program_file.substr(0, slash);
#endif
}

std::string materials_folder(const std::string& game_folder) {
    return joined(joined(game_folder, "cstrike"), "materials");
}

std::string console_folder(const std::string& game_folder) {
    return joined(materials_folder(game_folder), "console");
}

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

Outcome create_console_folder(const std::string& console_path) {
    std::error_code ec;
    if (std::filesystem::create_directory(path_from_utf8(console_path), ec) && !ec) return Outcome::done();
    return Outcome::failed("Could not create the folder " + console_path + ": " +
                           (ec ? ec.message() : std::string("something of that name is in the way")) + ".");
}

}  // namespace morvane::app
