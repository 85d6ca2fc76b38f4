#include "tools/game_choice.h"

#include "app/core/background_lookup.h"
#include "app/core/game_folder.h"
#include "app/core/game_search.h"
#include "app/core/steam_library.h"
#include "app/core/utf8_path.h"

#include <cstdio>
#include <system_error>
#include <utility>

namespace morvane::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kGiveAPath =
    "give the game's program (cstrike.sh, cstrike_linux64, cstrike.exe, cstrike_win64.exe, hl2.exe, ...) or its "
    "folder with --game PATH";

std::string quoted(const fs::path& path) { return "\"" + app::utf8_from_path(path) + "\""; }

std::string nothing_found(const app::SteamSearch& search) {
    std::string text = std::string("no ") + app::kGameName + " installation was found through Steam.";
    for (const std::string& note : search.notes) text += "\n  " + note;
    return text;
}

Result<fs::path> found_by_steam() {
    const app::SteamSearch search = app::find_counter_strike_source(app::this_computer());
    if (search.game_folders.size() == 1) return Result<fs::path>::made(search.game_folders.front());
    if (search.game_folders.empty())
        return Result<fs::path>::failed(nothing_found(search) + "\nInstall the game through Steam, or " + kGiveAPath + ".");
    std::string error = "Steam knows of " + std::to_string(search.game_folders.size()) + " " + app::kGameName +
                        " installations:";
    for (const fs::path& game : search.game_folders) error += "\n  " + app::utf8_from_path(game);
    return Result<fs::path>::failed(error + "\nChoose one: " + kGiveAPath + ".");
}

}  // namespace

Result<fs::path> game_folder_for(const std::string& argument) {
    fs::path game;
    if (argument == "auto") {
        Result<fs::path> found = found_by_steam();
        if (!found.ok) return found;
        game = std::move(found.value);
    } else {
        std::error_code ec;
        const fs::path given = fs::absolute(app::path_from_utf8(argument), ec);
        const fs::file_status status = fs::status(given, ec);
        if (!fs::exists(status)) return Result<fs::path>::failed(quoted(given) + " does not exist; " + kGiveAPath + ".");
        game = fs::is_directory(status) ? given : given.parent_path();
    }
    if (!app::is_game_folder(game)) {
        return Result<fs::path>::failed(quoted(game) + " " + app::not_a_game_folder_reason() +
                                        ", so it is not the folder of " + app::kGameName + "; " + kGiveAPath + ".");
    }
    return Result<fs::path>::made(game);
}

void print_backgrounds_seen(const app::GameSearch& search, const fs::path& game) {
    for (const app::BackgroundSeen& seen : app::backgrounds_seen(search, search.console_folder))
        std::printf("  %s\n", app::seen_line(seen, game).c_str());
}

int run_where() {
    const app::SteamSearch search = app::find_counter_strike_source(app::this_computer());
    if (search.game_folders.empty()) {
        std::fprintf(stderr, "morvane-cli: %s\n", nothing_found(search).c_str());
        return 1;
    }
    for (const fs::path& game : search.game_folders) {
        const app::GameSearch places = app::game_search(game);
        std::printf("%s\n", app::utf8_from_path(places.console_folder).c_str());
        if (!places.note.empty()) std::printf("  %s\n", places.note.c_str());
        print_backgrounds_seen(places, game);
    }
    return 0;
}

}  // namespace morvane::cli
