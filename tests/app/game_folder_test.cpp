#include "app/core/game_folder.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(GameFolder, TheChosenFileLosesExactlyItsLastEightCharacters) {
    EXPECT_EQ(morvanemod::game_folder_from_exe("/games/hl2/hl2.exe"), "/games/hl2");
    EXPECT_EQ(morvanemod::game_folder_from_exe("C:\\Games\\HL2\\hl2.exe"), "C:\\Games\\HL2");
    // Whatever the name: eight characters go, and the materials check decides afterwards.
    EXPECT_EQ(morvanemod::game_folder_from_exe("/games/hl2/game.exe"), "/games/hl2/");
    EXPECT_EQ(morvanemod::game_folder_from_exe("hl2.exe"), "");
    // Characters, not bytes: "ü" is two bytes in UTF-8.
    EXPECT_EQ(morvanemod::game_folder_from_exe("/g/x\xC3\xBC/spiel\xC3\xBC.e"), "/g/x\xC3\xBC/");
}

TEST(GameFolder, ConsoleFolderIsJoinedWithTheSystemSeparator) {
#ifdef _WIN32
    EXPECT_EQ(morvanemod::console_folder("C:\\G"), "C:\\G\\cstrike\\materials\\console");
#else
    EXPECT_EQ(morvanemod::materials_folder("/g"), "/g/cstrike/materials");
    EXPECT_EQ(morvanemod::console_folder("/g"), "/g/cstrike/materials/console");
    EXPECT_EQ(morvanemod::texture_file("/g/cstrike/materials/console"), "/g/cstrike/materials/console/background01.vtf");
#endif
}

TEST(GameFolder, AFileOrAFolderCountsAsExistingAndTheEmptyPathDoesNot) {
    morvane::testing::TempFolder dir;
    morvane::testing::write_bytes(dir.path() / "file", "x");
    EXPECT_TRUE(morvanemod::path_exists(dir.str()));
    EXPECT_TRUE(morvanemod::path_exists((dir.path() / "file").string()));
    EXPECT_FALSE(morvanemod::path_exists((dir.path() / "none").string()));
    EXPECT_FALSE(morvanemod::path_exists(""));
}

}  // namespace
