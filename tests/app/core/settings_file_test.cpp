// config.dat: the one remembered folder, read back exactly as it was written, in whatever alphabet.
#include "app/core/settings_file.h"
#include "app/core/utf8_path.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

using namespace morvane::app;
using morvane::testing::read_bytes;
using morvane::testing::TempFolder;
using morvane::testing::write_bytes;

TEST(SettingsFile, TheFolderComesBackAsWrittenAndOnlyTheFirstLineCounts) {
    TempFolder temp;
    const std::string folder = "/games/Counter-Strike Source/cstrike/materials/console";
    ASSERT_TRUE(write_config(temp.path(), folder).ok);
    EXPECT_EQ(read_config(temp.path()), folder);
    write_bytes(config_file(temp.path()), "first\r\nsecond\r\n");  // relative: beside config.dat, not the current folder
    EXPECT_EQ(read_config(temp.path()), utf8_from_path((temp.path() / "first").lexically_normal()));
    for (const std::string damaged : {std::string("\0/games/console\r\n", 18), std::string("/games/\x1B[2Jconsole")}) {
        write_bytes(config_file(temp.path()), damaged);
        EXPECT_EQ(read_config(temp.path()), "") << "unreadable, so the game is asked for again";
    }
}

#ifdef _WIN32
// Windows Western European systems (the ANSI code page 1252, as this test's Wine prefix has).
struct SettingsFileOnWindows : ::testing::Test {
    void SetUp() override { ASSERT_EQ(GetACP(), 1252u) << "these cases are written for code page 1252"; }
    TempFolder temp;
};

TEST_F(SettingsFileOnWindows, AFolderWithAccentsIsStoredInTheAnsiCodePageAndReadBack) {
    const std::string folder = "D:\\Jeux\\Caf\xC3\xA9 Cr\xC3\xA8me\\cstrike\\materials\\console";  // "Café Crème"
    ASSERT_TRUE(write_config(temp.path(), folder).ok);
    EXPECT_EQ(read_bytes(config_file(temp.path())), "D:\\Jeux\\Caf\xE9 Cr\xE8me\\cstrike\\materials\\console\r\n");
    EXPECT_EQ(read_config(temp.path()), folder);
    // A config.dat an older, ANSI-only program wrote reads the same.
    write_bytes(config_file(temp.path()), "C:\\Spiele\\M\xFCller\r\n");
    EXPECT_EQ(read_config(temp.path()), "C:\\Spiele\\M\xC3\xBCller");
}

// Cyrillic and Japanese have no place in code page 1252: the path is never stored with question marks or
// look-alike letters, but whole, as UTF-8 behind a byte-order mark, and read back as it was.
TEST_F(SettingsFileOnWindows, AFolderTheCodePageCannotHoldIsStoredWholeAsUtf8) {
    const std::string folders[] = {
        "C:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\cstrike\\materials\\console",          // "Игры"
        "C:\\\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\\cstrike\\materials\\console",      // "ゲーム"
        "C:\\Caf\xC3\xA9 \xD0\x98\\cstrike\\materials\\console",                      // both at once
    };
    for (const std::string& folder : folders) {
        ASSERT_TRUE(write_config(temp.path(), folder).ok);
        EXPECT_EQ(read_bytes(config_file(temp.path())), "\xEF\xBB\xBF" + folder + "\r\n");
        EXPECT_EQ(read_config(temp.path()), folder);
    }
}
#endif
