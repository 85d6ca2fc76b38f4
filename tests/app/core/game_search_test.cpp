// Where the game's engine finds the console background, and so where Morvane must write it: today's layout,
// the old one, players' packs in cstrike/custom, and VPK directories, sound or hostile.
#include "app/core/background_lookup.h"
#include "app/core/game_folder.h"
#include "app/core/game_search.h"
#include "app/core/vpk_directory.h"

#include "tests/app/core/fake_game.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

using ::testing::HasSubstr;

std::vector<uint8_t> bytes_of(const std::string& text) { return {text.begin(), text.end()}; }

struct GameSearch : ::testing::Test {
    TempFolder temp;
    FakeGame game{temp / "Counter-Strike Source"};

    std::vector<app::BackgroundSeen> seen() const {
        const app::GameSearch search = app::game_search(game.folder);
        return app::backgrounds_seen(search, search.console_folder);
    }
    std::string line(size_t background) const { return app::seen_line(seen().at(background), game.folder); }
};

// Whichever comes first of custom/*, a VPK and the loose game folder decides; a file that lists nothing, or
// that the engine could not read either, leaves the loose folder, as before 2013. An old copy has no
// gameinfo.txt Morvane needs, only its cstrike/materials.
TEST_F(GameSearch, TheFirstOfCustomAVpkAndTheLooseFolderDecidesWhereTheBackgroundGoes) {
    fs::create_directories(game.cstrike() / "materials");
    EXPECT_TRUE(app::is_game_folder(game.folder) && !app::is_game_folder(temp / "elsewhere"));
    EXPECT_EQ(app::game_search(game.folder).console_folder, game.loose_console());
    const struct { const char* gameinfo; bool custom; const char* note = ""; } cases[] = {
        {"game+mod cstrike/custom/*\ngame |gameinfo_path|.\ngame cstrike/cstrike_pak.vpk", true},  // as Team Fortress 2
        {"// comment\n\"Game+Mod\" \"|GAMEINFO_PATH|custom/*\"\r\ngame cstrike/cstrike_pak.vpk", true},
        {"mod+game_write cstrike/custom/*\ngame cstrike", false},  // not for the game id
        {"game |gameinfo_path|.\ngame+mod cstrike/custom/*", false},
        {"game+mod cstrike/cstrike_pak.vpk\ngame cstrike/custom/*", false},
        {"", false},
        {"} {", false, "gameinfo.txt\" was not used: line "},
        {"\"unclosed }", false, "gameinfo.txt\" was not used: line "},
    };
    for (const auto& c : cases) {
        write_bytes(game.cstrike() / "gameinfo.txt", std::string("GameInfo { FileSystem { SearchPaths {\n") + c.gameinfo + "\n} } }");
        const app::GameSearch search = app::game_search(game.folder);
        EXPECT_EQ(search.console_folder, c.custom ? game.custom_console() : game.loose_console()) << c.gameinfo;
        EXPECT_THAT(search.note, HasSubstr(c.note));
    }
    EXPECT_TRUE(app::game_of_console_folder(game.loose_console()) == game.folder &&
                app::game_of_console_folder(game.custom_console()) == game.folder);
}

// Before a build today's game opens its own backgrounds from the shared VPK, after it Morvane's, unless a
// player's pack sorts first: packs are read in the order of their names without regard to case, and a split
// VPK counts as its _dir file.
TEST_F(GameSearch, WhatTheGameOpensIsTheFirstOfItsPlacesAndThePlayerIsToldWhatToDoWhenItIsNotOurs) {
    game.install_today();
    write_bytes(game.cstrike() / "materials" / "console" / "background01.vtf", "never opened: the VPKs come first");
    EXPECT_EQ(line(0), "console/background01: materials/console/background01.vtf in " +
                           (fs::path("hl2") / "hl2_misc_dir.vpk").string() + ", not Morvane's");
    for (const char* name : {"background01.vtf", "background01_widescreen.vtf"})
        write_bytes(game.custom_console() / name, "Morvane's");
    game.add_pack("zz_after");
    EXPECT_TRUE(app::all_ours(seen()));
    const fs::path ours = fs::path("cstrike") / "custom" / "morvane" / "materials" / "console" / "background01_widescreen.vtf";
    EXPECT_EQ(line(1), "console/background01_widescreen: Morvane's " + ours.string());
    game.add_pack("Mods");
    EXPECT_THAT(line(0), HasSubstr("not Morvane's: the pack \"Mods\" comes before \"morvane\"; rename it to sort after"));

    write_bytes(game.cstrike() / "custom" / "materials" / "console" / "background01.vtf", "in the wrong place");
    EXPECT_THAT(app::game_search(game.folder).note, HasSubstr("materials\" keeps the game from starting"));
    fs::remove_all(game.cstrike() / "custom" / "materials");
    fs::remove_all(game.cstrike() / "custom" / "Mods");
    write_bytes(game.cstrike() / "custom" / "hud_000.vpk", "data");
    write_bytes(game.cstrike() / "custom" / "hud_dir.vpk", vpk_bytes({"materials/console/background01_widescreen.vtf"}));
    EXPECT_THAT(line(1), HasSubstr("in " + (fs::path("cstrike") / "custom" / "hud_dir.vpk").string()));
#ifndef _WIN32  // Linux finds a loose file whatever the case of its name; a loop of links holds nothing
    fs::create_directory_symlink("loop", game.cstrike() / "custom" / "loop");
    write_bytes(game.cstrike() / "custom" / "a" / "Materials" / "Console" / "Background01.VTF", "x");
    EXPECT_THAT(line(0), HasSubstr("Background01.VTF, not Morvane's"));
#endif
}

// Names in any case, from version 1 and 2 files; every cut and damaged directory is refused without reading
// past it.
TEST(VpkDirectory, HoldsTheNamesOfWholeDirectoriesAndRefusesEveryCutOrDamagedOne) {
    for (uint32_t version : {1u, 2u}) {
        const Result<app::VpkNames> names = app::vpk_names(bytes_of(vpk_bytes({"Materials/Console/A.vtf", "root"}, version)));
        EXPECT_TRUE(names.ok && names.value.holds("materials/console/a.VTF") && !names.value.holds("materials/console/b.vtf"))
            << names.error;
    }
    const std::string whole = vpk_bytes(kStockBackgrounds);
    for (size_t cut = 0; cut < whole.size(); ++cut)
        EXPECT_FALSE(app::vpk_names(bytes_of(whole.substr(0, cut))).ok) << cut;
    // A tree of 2 GB, a file's entry not ended by its terminator, version 3.
    for (const auto& [at, byte] : {std::pair{size_t(11), char(0x7F)}, {whole.find("background01") + 29, 'x'}, {4, char(3)}}) {
        std::string damaged = whole;
        damaged[at] = byte;
        EXPECT_FALSE(app::vpk_names(bytes_of(damaged)).ok) << at;
    }
}

}  // namespace
}  // namespace morvane::testing
