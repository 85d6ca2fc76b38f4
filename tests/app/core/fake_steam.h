#pragma once
// A made-up home folder with Steam laid out as Steam lays itself out: ~/.local/share/Steam with ~/.steam/steam
// and ~/.steam/root linking to it, a libraryfolders.vdf of the current shape naming Steam's own folder and a
// second library "Steam Library 2" (a name with a space), and today's Counter-Strike: Source (app 240)
// installed in that second library.
#include "app/core/steam_library.h"
#include "tests/app/core/fake_game.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <string>

namespace morvane::testing {

namespace fs = std::filesystem;

// A path as Steam quotes it: UTF-8, backslashes doubled.
inline std::string vdf_quoted(const fs::path& path) {
    std::string text = "\"";
    for (char8_t c : path.u8string()) text += c == u8'\\' ? std::string("\\\\") : std::string(1, char(c));
    return text + "\"";
}

inline std::string library_block(int number, const fs::path& path, const std::string& apps) {
    return "\t\"" + std::to_string(number) + "\"\n\t{\n\t\t\"path\"\t\t" + vdf_quoted(path) +
           "\n\t\t\"label\"\t\t\"\"\n\t\t\"contentid\"\t\t\"6150327958512883200\"\n\t\t\"apps\"\n\t\t{\n" + apps + "\t\t}\n\t}\n";
}

inline std::string app_manifest(const std::string& installdir) {
    return "\"AppState\"\n{\n\t\"appid\"\t\t\"240\"\n\t\"name\"\t\t\"Counter-Strike: Source\"\n\t\"StateFlags\"\t\t\"4\"\n"
           "\t\"installdir\"\t\t\"" + installdir + "\"\n\t\"UserConfig\"\n\t{\n\t\t\"language\"\t\t\"english\"\n\t}\n}\n";
}

struct FakeSteam {
    fs::path home;

    fs::path steam() const { return home / ".local" / "share" / "Steam"; }
    fs::path second_library() const { return home / "Steam Library 2"; }
    fs::path game() const { return second_library() / "steamapps" / "common" / "Counter-Strike Source"; }
    fs::path console() const { return FakeGame{game()}.custom_console(); }

    void install() const {
        write_bytes(steam() / "steamapps" / "libraryfolders.vdf",
                    "\"libraryfolders\"\n{\n" + library_block(0, steam(), "\t\t\t\"228980\"\t\t\"1263398453\"\n") +
                        library_block(1, second_library(), "\t\t\t\"240\"\t\t\"4472356182\"\n") + "}\n");
        fs::create_directories(home / ".steam");  // the names Linux reaches Steam's folder by
        std::error_code no_links_on_windows;
        fs::create_directory_symlink(steam(), home / ".steam" / "steam", no_links_on_windows);
        fs::create_directory_symlink(steam(), home / ".steam" / "root", no_links_on_windows);
        write_bytes(second_library() / "steamapps" / "appmanifest_240.acf", app_manifest("Counter-Strike Source"));
        FakeGame{game()}.install_today();
    }

    // This home and no environment variables.
    app::SteamSurroundings surroundings() const {
        return {home, [](const char*) { return std::string(); }, nullptr};
    }
};

}  // namespace morvane::testing
