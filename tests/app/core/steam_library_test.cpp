// Finding Counter-Strike: Source through Steam on a made-up home folder: both shapes of libraryfolders.vdf,
// Steam's folder reached by several names, the places each system keeps Steam, and the files that lead
// nowhere.
#include "app/core/steam_library.h"
#include "tests/app/core/fake_steam.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <map>

namespace morvane::testing {
namespace {

using app::find_counter_strike_source;

struct SteamSearch : ::testing::Test {
    TempFolder root;
    FakeSteam steam{root.path() / "home"};
};

#ifndef _WIN32  // a home folder with Steam as Linux has it; Windows finds Steam through the registry
TEST_F(SteamSearch, FindsTheGameInASecondLibraryOnceThoughSteamIsReachedByThreeNames) {
    steam.install();
    const auto found = find_counter_strike_source(steam.surroundings());
    EXPECT_EQ(found.game_folders, std::vector<fs::path>{steam.game()});
    EXPECT_EQ(app::steam_folders(steam.surroundings()), std::vector<fs::path>{steam.steam()})
        << "~/.steam/steam and ~/.steam/root lead to the same folder";
    ASSERT_EQ(found.notes.size(), 1u) << "Steam's own library lacks the game";
    EXPECT_NE(found.notes[0].find("appmanifest_240.acf\": it does not exist."), std::string::npos) << found.notes[0];

    // A game folder without its cstrike folder is no installation.
    fs::remove_all(steam.game() / "cstrike");
    const auto gone = find_counter_strike_source(steam.surroundings());
    EXPECT_TRUE(gone.game_folders.empty());
    EXPECT_NE(gone.notes.back().find("has neither cstrike/gameinfo.txt nor a cstrike/materials folder"), std::string::npos)
        << gone.notes.back();
}

#endif

TEST_F(SteamSearch, TheOlderShapeAndAWindowsPathWithEscapedBackslashesNameTheirLibraries) {
    const auto older = app::parse_key_values(
        "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1623456789\"\n\t\"ContentStatsID\"\t\t\"-4213\"\n"
        "\t\"1\"\t\t\"D:\\\\Games\\\\Steam Library\"\n\t\"2\"\t\t\"/mnt/games/SteamLibrary\"\n}\n");
    ASSERT_TRUE(older.ok) << older.error;
    const auto older_paths = app::library_paths(older.value);
    EXPECT_TRUE(older_paths.ok) << older_paths.error;
    EXPECT_EQ(older_paths.value, (std::vector<fs::path>{"D:\\Games\\Steam Library", "/mnt/games/SteamLibrary"}));

    const auto current = app::parse_key_values(steam.library_folders());
    ASSERT_TRUE(current.ok) << current.error;
    EXPECT_EQ(app::library_paths(current.value).value, (std::vector<fs::path>{steam.steam(), steam.second_library()}));

    const auto none = app::library_paths(app::parse_key_values("\"AppState\" { }").value);
    EXPECT_TRUE(none.value.empty());
    EXPECT_EQ(none.error, "it holds no \"libraryfolders\" block");
}

#ifndef _WIN32
TEST_F(SteamSearch, AManifestThatNamesNoPlainFolderOrAVdfThatIsBrokenOrAPipeLeadsNowhereAndSaysWhy) {
    steam.install();
    const fs::path manifest = steam.second_library() / "steamapps" / "appmanifest_240.acf";
    fs::create_directories(steam.second_library() / "steamapps" / "elsewhere" / "cstrike" / "materials");
    for (const auto& [text, why] : {std::pair{app_manifest("../elsewhere"), "is no plain folder name"},
                                    {app_manifest(""), "names no \"installdir\""},
                                    {app_manifest("x").substr(0, 60), "line 5: the quoted text has no closing quote"},
                                    {std::string("\"libraryfolders\" { }"), "holds no \"AppState\" block"}}) {
        write_bytes(manifest, text);
        const auto found = find_counter_strike_source(steam.surroundings());
        EXPECT_TRUE(found.game_folders.empty()) << text;
        EXPECT_NE(found.notes.back().find(why), std::string::npos) << found.notes.back();
    }

    // Without a readable list, Steam's own folder is still searched.
    const fs::path list = steam.steam() / "steamapps" / "libraryfolders.vdf";
    fs::remove(list);
    ASSERT_EQ(::mkfifo(list.c_str(), 0600), 0) << "a pipe, which would wait forever if it were read";
    write_bytes(steam.steam() / "steamapps" / "appmanifest_240.acf", app_manifest("cstrike game"));
    fs::create_directories(steam.steam() / "steamapps" / "common" / "cstrike game" / "cstrike" / "materials");
    const auto found = find_counter_strike_source(steam.surroundings());
    EXPECT_EQ(found.game_folders, std::vector<fs::path>{steam.steam() / "steamapps" / "common" / "cstrike game"});
    EXPECT_NE(found.notes[0].find("libraryfolders.vdf\" names no further libraries: it is not an ordinary file."),
              std::string::npos)
        << found.notes[0];
}

// Thousands of libraries, none but one holding the game: each is looked at once (the search grows with their
// number, not its square) and those that give the same answer are told a few times, then counted.
TEST_F(SteamSearch, ManyLibrariesWithoutTheGameAreEachSearchedOnceAndToldInAFewLines) {
    steam.install();
    std::string list = "\"libraryfolders\"\n{\n" + library_block(0, steam.steam(), "") +
                       library_block(1, steam.second_library(), "");
    list += library_block(2, root.path() / std::string(1 << 20, 'x'), "");  // a megabyte of path, named in short
    for (int i = 3; i < 5002; ++i) list += library_block(i, root.path() / ("library " + std::to_string(i)), "");
    write_bytes(steam.steam() / "steamapps" / "libraryfolders.vdf", list + "}\n");
    const auto found = find_counter_strike_source(steam.surroundings());
    EXPECT_EQ(found.game_folders, std::vector<fs::path>{steam.game()});
    ASSERT_EQ(found.notes.size(), 5u);
    EXPECT_LT(found.notes[1].size(), 400u) << found.notes[1].substr(0, 400);
    EXPECT_NE(found.notes[1].find("xxx...xxx"), std::string::npos) << found.notes[1];
    const fs::path fifth = root.path() / "library 5" / "steamapps" / "appmanifest_240.acf";
    EXPECT_EQ(found.notes[4], "4997 more the same (it does not exist), from \"" + fifth.string() + "\" on.");
}

TEST_F(SteamSearch, AHomeWithoutSteamFindsNothingAndNamesThePlacesItLookedIn) {
    fs::create_directories(steam.home);
    const auto found = find_counter_strike_source(steam.surroundings());
    EXPECT_TRUE(found.game_folders.empty());
    ASSERT_EQ(found.notes.size(), 1u);
    EXPECT_EQ(found.notes[0].rfind("No Steam folder was found (looked for \"" + steam.steam().string() + "\", ", 0), 0u)
        << found.notes[0];
}

#endif

TEST(SteamPlaces, EachSystemLooksWhereItsSteamLives) {
#ifndef _WIN32  // Linux and macOS paths, which Windows reads differently
    const fs::path home = "/home/p";
    std::map<std::string, std::string> environment;
    const auto variable = [&](const char* name) { return environment.count(name) ? environment[name] : std::string(); };
    // Where the data folder is: XDG_DATA_HOME when it is absolute, else ~/.local/share; ~/.steam, the
    // Flatpak's folder and the Snap's come after it.
    const auto first = [&] { return app::linux_steam_candidates(home, variable).front(); };
    EXPECT_EQ(first(), "/home/p/.local/share/Steam");
    environment["XDG_DATA_HOME"] = "/data";
    EXPECT_EQ(first(), "/data/Steam");
    environment["XDG_DATA_HOME"] = "relative/data";  // to be ignored
    EXPECT_EQ(first(), "/home/p/.local/share/Steam");
    EXPECT_TRUE(app::linux_steam_candidates("", variable).empty());
#endif
    struct Registry : app::RegistryReader {
        std::map<std::string, std::string> values;
        std::string read_text(app::RegistryRoot root, const std::string& key, const std::string& value) const override {
            const auto found = values.find((root == app::RegistryRoot::CurrentUser ? "HKCU\\" : "HKLM\\") + key + "\\" + value);
            return found == values.end() ? std::string() : found->second;
        }
    } registry;
    const fs::path fallback = "C:\\Program Files (x86)\\Steam";
    EXPECT_EQ(app::windows_steam_candidates(registry), std::vector<fs::path>{fallback});
    registry.values["HKLM\\SOFTWARE\\WOW6432Node\\Valve\\Steam\\InstallPath"] = "D:\\Steam";
    registry.values["HKCU\\Software\\Valve\\Steam\\SteamPath"] = "e:/steam";
    EXPECT_EQ(app::windows_steam_candidates(registry), (std::vector<fs::path>{"e:/steam", "D:\\Steam", fallback}));
}

}  // namespace
}  // namespace morvane::testing
