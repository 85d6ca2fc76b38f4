#include "app/core/game_folder.h"

#include "app/core/game_search.h"
#include "app/core/key_values.h"
#include "app/core/utf8_path.h"

#include <array>
#include <span>
#include <system_error>

namespace morvane::app {

namespace fs = std::filesystem;

namespace {

bool any_at(const fs::path& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

bool same_name(const fs::path& a, std::string_view b) {
#ifdef _WIN32
    return same_key(utf8_from_path(a), b);
#else
    return utf8_from_path(a) == b;
#endif
}

// `console` ends in `tail`, part for part: its game folder is what comes before.
std::optional<fs::path> before(fs::path console, std::span<const std::string_view> tail) {
    for (auto part = tail.rbegin(); part != tail.rend(); ++part) {
        if (!console.has_relative_path() || !same_name(console.filename(), *part)) return std::nullopt;
        console = console.parent_path();
    }
    return console;
}

}  // namespace

fs::path game_folder_of_program(const std::string& program_file) {
    // Windows takes either slash; the stored folder always has its own.
    return path_from_utf8(program_file).make_preferred().parent_path();
}

bool is_game_folder(const fs::path& game) {
    return !game.empty() && (any_at(game / "cstrike" / "gameinfo.txt") || any_at(game / "cstrike" / "materials"));
}

std::string not_a_game_folder_reason() {
    const std::string sep(1, char(fs::path::preferred_separator));
    return "has neither cstrike" + sep + "gameinfo.txt nor a cstrike" + sep + "materials folder";
}

std::optional<fs::path> game_of_console_folder(const fs::path& console) {
    const fs::path folder = console.lexically_normal();
    const fs::path trimmed = folder.has_filename() ? folder : folder.parent_path();
    constexpr std::array<std::string_view, 3> kLoose{"cstrike", "materials", "console"};
    constexpr std::array<std::string_view, 5> kOwnPack{"cstrike", "custom", kOwnPackName, "materials", "console"};
    if (auto game = before(trimmed, kLoose)) return game;
    return before(trimmed, kOwnPack);
}

bool same_folder(const fs::path& a, const fs::path& b) {
    const fs::path x = a.lexically_normal(), y = b.lexically_normal();
#ifdef _WIN32
    return same_key(utf8_from_path(x), utf8_from_path(y));
#else
    return x == y;
#endif
}

bool path_exists(const std::string& path) { return !path.empty() && any_at(path_from_utf8(path)); }

bool folder_exists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return fs::is_directory(path_from_utf8(path), ec);
}

Outcome create_console_folder(const std::string& console_path) {
    std::error_code ec;
    fs::create_directories(path_from_utf8(console_path), ec);
    if (!ec && folder_exists(console_path)) return Outcome::done();
    return Outcome::failed("Could not create the folder " + console_path + ": " +
                           (ec ? ec.message() : std::string("something of that name is in the way")) + ".");
}

}  // namespace morvane::app
