// config.dat: the one remembered folder, read back exactly as it was written, in whatever alphabet.
#include "app/core/settings_file.h"
#include "app/core/utf8_path.h"

#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

using namespace morvane::app;
using morvane::testing::read_bytes;
using morvane::testing::TempFolder;
using morvane::testing::write_bytes;
using ::testing::HasSubstr;

TEST(SettingsFile, TheFolderComesBackAsWrittenAndOnlyTheFirstLineCounts) {
    TempFolder temp;
    const std::string folder = "/games/Counter-Strike Source/cstrike/materials/console";
    const std::filesystem::path user = temp / "home" / ".config" / "morvane";  // the first write makes it
    ASSERT_TRUE(write_config(user, folder).ok);
    EXPECT_EQ(read_bytes(config_file(user)), folder + "\r\n");
    EXPECT_EQ(read_config(user).value, folder);
    // A file where a folder belongs is named.
    EXPECT_THAT(write_config(config_file(user) / "morvane", "x").error, HasSubstr("config.dat"));
    write_bytes(config_file(temp.path()), "first\r\nsecond\r\n");  // relative: beside config.dat, not the current folder
    EXPECT_EQ(read_config(temp.path()).value, utf8_from_path((temp.path() / "first").lexically_normal()));
    // Each means "not located yet", and says why.
    for (const auto& [bytes, why] : {std::pair{std::string("\0/games/console\r\n", 18), "it holds a control character"},
                                     {std::string("/games/\x1B[2Jconsole"), "it holds a control character"},
                                     {std::string("\r\n"), "it names no folder"}}) {
        write_bytes(config_file(temp.path()), bytes);
        EXPECT_EQ(read_config(temp.path()).error.rfind(why, 0), 0u) << read_config(temp.path()).error;
    }
    EXPECT_EQ(read_config(temp.path() / "nowhere").error, "it does not exist");
}

#ifdef _WIN32
// On a Western European system (the ANSI code page 1252, as this test's Wine prefix has), a folder with
// accents is stored in the ANSI code page, as an older, ANSI-only program wrote it too; Cyrillic and Japanese
// have no place in code page 1252: such a path is never stored with question marks or look-alike letters, but
// whole, as UTF-8 behind a byte-order mark. Each reads back as it was.
TEST(SettingsFileOnWindows, AFolderIsStoredInTheAnsiCodePageWhereItFitsAndWholeAsUtf8WhereNot) {
    ASSERT_EQ(GetACP(), 1252u) << "these cases are written for code page 1252";
    TempFolder temp;
    const std::pair<std::string, std::string> stored[] = {
        {"D:\\Caf\xC3\xA9 Cr\xC3\xA8me\\console", "D:\\Caf\xE9 Cr\xE8me\\console\r\n"},  // "Café Crème"
        {"C:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\console", ""},                      // "Игры"
        {"C:\\Caf\xC3\xA9 \xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\\console", ""}};       // "Café ゲーム"
    for (const auto& [folder, bytes] : stored) {
        ASSERT_TRUE(write_config(temp.path(), folder).ok);
        EXPECT_EQ(read_bytes(config_file(temp.path())), bytes.empty() ? "\xEF\xBB\xBF" + folder + "\r\n" : bytes);
        EXPECT_EQ(read_config(temp.path()).value, folder);
    }
    write_bytes(config_file(temp.path()), "C:\\Spiele\\M\xFCller\r\n");
    EXPECT_EQ(read_config(temp.path()).value, "C:\\Spiele\\M\xC3\xBCller");
}
#endif
