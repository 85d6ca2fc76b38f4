// Finding Counter-Strike: Source through Steam on a made-up home folder: both shapes of libraryfolders.vdf,
// Steam's folder reached by several names, the places each system keeps Steam, and the files that lead
// nowhere; on Windows, the registry's text read as UTF-8.
#include "app/core/steam_library.h"
#include "tests/app/core/fake_steam.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <map>

namespace morvane::testing {
namespace {

using ::testing::HasSubstr;

using app::find_counter_strike_source;

struct FakeRegistry : app::RegistryReader {
    std::map<std::string, std::string> values;  // "HKCU\\key\\value" or "HKLM\\key\\value"
    std::string read_text(app::RegistryRoot root, const std::string& key, const std::string& value) const override {
        const auto found = values.find((root == app::RegistryRoot::CurrentUser ? "HKCU\\" : "HKLM\\") + key + "\\" + value);
        return found == values.end() ? std::string() : found->second;
    }
};

#ifdef _WIN32
// From a key of the test's own, so that the player's Steam keys are never touched.
TEST(SteamOnWindows, TheRegistrysTextComesAsUtf8) {
    const std::wstring zoe = L"C:/Steam Zo\u00eb";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Morvane Test", L"Path", REG_SZ, zoe.c_str(),
                              DWORD((zoe.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    const app::WindowsRegistry registry;
    EXPECT_EQ(registry.read_text(app::RegistryRoot::CurrentUser, "Software\\Morvane Test", "Path"), "C:/Steam Zo\xC3\xAB");
    EXPECT_EQ(registry.read_text(app::RegistryRoot::CurrentUser, "Software\\Morvane Test", "Missing"), "");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Morvane Test");
}

#else  // a home folder with Steam as Linux has it; Windows finds Steam through the registry
struct SteamSearch : ::testing::Test {
    TempFolder root;
    FakeSteam steam{root / "home"};
};

TEST_F(SteamSearch, FindsTheGameInASecondLibraryOnceThoughSteamIsReachedByThreeNames) {
    fs::create_directories(steam.home);
    const auto nothing = find_counter_strike_source(steam.surroundings());
    EXPECT_TRUE(nothing.game_folders.empty());
    EXPECT_THAT(nothing.notes.at(0), HasSubstr("No Steam folder was found (looked for \"" + steam.steam().string() + "\", "));

    steam.install();
    const auto found = find_counter_strike_source(steam.surroundings());
    EXPECT_EQ(found.game_folders, std::vector<fs::path>{steam.game()});
    // Only Steam's own library lacks the game: ~/.steam/steam and ~/.steam/root lead to the same folder.
    ASSERT_EQ(found.notes.size(), 1u);
    EXPECT_THAT(found.notes[0], HasSubstr("appmanifest_240.acf\": it does not exist."));
    // The older shape of the list: the libraries' paths as plain values.
    write_bytes(steam.steam() / "steamapps" / "libraryfolders.vdf", "\"LibraryFolders\"\n{\n\t\"ContentStatsID\"\t\t\"-4213\"\n"
                                                                   "\t\"1\"\t\t" + vdf_quoted(steam.second_library()) + "\n}\n");
    EXPECT_EQ(find_counter_strike_source(steam.surroundings()).game_folders, std::vector<fs::path>{steam.game()});
}

TEST_F(SteamSearch, AManifestThatLeadsToNoGameOrAListThatIsAPipeLeadsNowhereAndSaysWhy) {
    steam.install();
    fs::create_directories(steam.second_library() / "steamapps" / "elsewhere" / "cstrike" / "materials");
    fs::create_directories(steam.second_library() / "steamapps" / "common" / "empty");
    for (const auto& [text, why] :
         {std::pair{app_manifest("../elsewhere"), "is no plain folder name"}, {app_manifest(""), "names no \"installdir\""},
          {app_manifest("empty"), "has neither cstrike/gameinfo.txt nor a cstrike/materials folder"},
          {app_manifest("x").substr(0, 60), "line 4: the quoted text has no closing quote"},
          {std::string("\"libraryfolders\" { }"), "holds no \"AppState\" block"}}) {
        write_bytes(steam.second_library() / "steamapps" / "appmanifest_240.acf", text);
        const auto found = find_counter_strike_source(steam.surroundings());
        EXPECT_TRUE(found.game_folders.empty()) << text;
        EXPECT_THAT(found.notes.back(), HasSubstr(why));
    }

    // Without a readable list, Steam's own folder is still searched.
    const fs::path list = steam.steam() / "steamapps" / "libraryfolders.vdf";
    fs::remove(list);
    ASSERT_EQ(::mkfifo(list.c_str(), 0600), 0) << "a pipe, which would wait forever if it were read";
    write_bytes(steam.steam() / "steamapps" / "appmanifest_240.acf", app_manifest("cstrike game"));
    fs::create_directories(steam.steam() / "steamapps" / "common" / "cstrike game" / "cstrike" / "materials");
    const auto found = find_counter_strike_source(steam.surroundings());
    EXPECT_EQ(found.game_folders, std::vector<fs::path>{steam.steam() / "steamapps" / "common" / "cstrike game"});
    EXPECT_THAT(found.notes[0], HasSubstr("names no further libraries: it is not an ordinary file."));
}

#endif

TEST(SteamPlaces, EachSystemLooksWhereItsSteamLives) {
#ifndef _WIN32  // Linux and macOS paths, which Windows reads differently
    // Where the data folder is: XDG_DATA_HOME when it is absolute, else ~/.local/share; ~/.steam, the
    // Flatpak's folder and the Snap's come after it.
    const auto relative = [](const char* name) { return std::string(name == std::string("XDG_DATA_HOME") ? "data" : ""); };
    EXPECT_EQ(app::linux_steam_candidates("/home/p", relative).front(), "/home/p/.local/share/Steam") << "a relative one is ignored";
    EXPECT_TRUE(app::linux_steam_candidates("", [](const char*) { return std::string(); }).empty());
#endif
    FakeRegistry registry;
    const fs::path fallback = "C:\\Program Files (x86)\\Steam";
    EXPECT_EQ(app::windows_steam_candidates(registry), std::vector<fs::path>{fallback});
    registry.values["HKLM\\SOFTWARE\\WOW6432Node\\Valve\\Steam\\InstallPath"] = "D:\\Steam";
    registry.values["HKCU\\Software\\Valve\\Steam\\SteamPath"] = "e:/steam";
    EXPECT_EQ(app::windows_steam_candidates(registry), (std::vector<fs::path>{"e:/steam", "D:\\Steam", fallback}));

    // Steam (from the registry, or XDG_DATA_HOME) in a home named outside ASCII, which Windows' paths do not
    // keep in UTF-8; the second library's path in the list with its backslashes escaped.
    TempFolder temp;
    const FakeSteam steam{temp / u8"Zoë"};
    steam.install();
    const auto utf8 = [](const fs::path& path) { return std::string(reinterpret_cast<const char*>(path.u8string().c_str())); };
    registry.values["HKCU\\Software\\Valve\\Steam\\SteamPath"] = utf8(steam.steam());
    const auto data = [&](const char* name) { return std::string(name) == "XDG_DATA_HOME" ? utf8(steam.steam().parent_path()) : ""; };
    const app::SteamSurroundings around{"", data, std::make_shared<FakeRegistry>(registry)};
    EXPECT_EQ(app::find_counter_strike_source(around).game_folders, std::vector<fs::path>{steam.game()});
}

}  // namespace
}  // namespace morvane::testing
