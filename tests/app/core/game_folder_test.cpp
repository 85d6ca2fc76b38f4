// The game's folders worked out from the chosen hl2.exe, as the player's system writes its paths.
#include "app/core/game_folder.h"

#include "../temp_folder.h"

#include <gtest/gtest.h>

using namespace morvane::app;

TEST(GameFolder, AFolderEndingInASeparatorGetsNoSecondOne) {
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(console_folder("games" + sep), "games" + sep + "cstrike" + sep + "materials" + sep + "console");
    EXPECT_EQ(materials_folder(sep), sep + "cstrike" + sep + "materials");  // the root folder
}

#ifdef _WIN32
TEST(GameFolderOnWindows, DriveLettersUncPathsSlashesAndCaseAllGiveTheConsoleFolder) {
    struct Case {
        const char* exe;
        const char* console;
    } cases[] = {
        {"C:\\Program Files (x86)\\Steam\\steamapps\\common\\Counter-Strike Source\\hl2.exe",
         "C:\\Program Files (x86)\\Steam\\steamapps\\common\\Counter-Strike Source\\cstrike\\materials\\console"},
        {"D:\\hl2.exe", "D:\\cstrike\\materials\\console"},
        {"\\\\server\\games\\css\\hl2.exe", "\\\\server\\games\\css\\cstrike\\materials\\console"},
        {"E:\\Games\\CSS\\\\hl2.exe", "E:\\Games\\CSS\\cstrike\\materials\\console"},  // a doubled separator
        {"E:/Games/CSS/hl2.exe", "E:\\Games\\CSS\\cstrike\\materials\\console"},
        {"E:\\Games/CSS\\HL2.EXE", "E:\\Games\\CSS\\cstrike\\materials\\console"},
    };
    for (const Case& c : cases) EXPECT_EQ(console_folder(game_folder_from_exe(c.exe)), c.console) << c.exe;
}

// Windows' names ignore case, so HL2.EXE beside a "CStrike\Materials" folder is a game folder.
TEST(GameFolderOnWindows, TheFoldersAreFoundWhateverTheCaseAndSlashesTheUserTyped) {
    morvane::testing::TempFolder temp;
    std::filesystem::create_directories(temp.path() / "Game" / "CStrike" / "Materials");
    const std::u8string u8 = temp.path().u8string();
    const std::string base(u8.begin(), u8.end());
    EXPECT_TRUE(path_exists(materials_folder(game_folder_from_exe(base + "\\GAME\\HL2.EXE"))));
    EXPECT_TRUE(path_exists(materials_folder(game_folder_from_exe(base + "/game/hl2.exe"))));
    EXPECT_TRUE(path_exists(base + "\\game\\"));
    EXPECT_FALSE(path_exists(materials_folder(game_folder_from_exe(base + "\\Other\\hl2.exe"))));
    EXPECT_FALSE(path_exists("\\\\no-such-server-here\\share\\cstrike\\materials"));
}
#endif
