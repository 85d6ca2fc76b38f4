#include "app/core/settings_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

using morvane::testing::read_bytes;
using morvane::testing::TempFolder;
using morvane::testing::write_bytes;

namespace {

TEST(SettingsFile, WritesOneLineEndedByCrLfBesideTheProgramAndReadsItBack) {
    TempFolder program;
    const auto result = morvanemod::write_config(program.path(), "/games/hl2/cstrike/materials/console");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(read_bytes(program.path() / "config.dat"), "/games/hl2/cstrike/materials/console\r\n");
    const std::string console = "/games/H\xC3\xA4lf Life/\xE6\xB8\xB8";  // ANSI or UTF-8 on disk: the same path back
    ASSERT_TRUE(morvanemod::write_config(program.path(), console).ok);
    EXPECT_EQ(morvanemod::read_config(program.path()), console);
    EXPECT_FALSE(std::filesystem::exists(program.path() / "config.dat.new"));
}

TEST(SettingsFile, ReadsTheFirstLineWithoutItsEndAndTakesAnEmptyOrMissingFileAsNotLocated) {
    TempFolder program;
    EXPECT_EQ(morvanemod::read_config(program.path()), "");
    for (const auto& [bytes, read] : {std::pair{"/a/b\r\n/c/d\r\n", "/a/b"}, {"/a/b\n", "/a/b"}, {"/a/b", "/a/b"},
                                      {"", ""}, {"\r\n/after/an/empty/line\r\n", ""},
                                      {"\xEF\xBB\xBF/spiele/\xE6\xB8\xB8\r\n", "/spiele/\xE6\xB8\xB8"}}) {
        write_bytes(program.path() / "config.dat", bytes);
        EXPECT_EQ(morvanemod::read_config(program.path()), read) << bytes;
    }
    std::filesystem::remove(program.path() / "config.dat");
    std::filesystem::create_directory(program.path() / "config.dat");  // cannot be read as a file
    EXPECT_EQ(morvanemod::read_config(program.path()), "");
}

TEST(SettingsFile, AFailedWriteNamesTheFileAndTheReasonAndKeepsTheOldFile) {
    TempFolder program;
    write_bytes(program.path() / "config.dat", "/old/console\r\n");
    std::filesystem::create_directory(program.path() / "config.dat.new");  // the new file cannot be made
    auto result = morvanemod::write_config(program.path(), "/new/console");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find((program.path() / "config.dat").string() + ": "), std::string::npos) << result.error;
    EXPECT_EQ(read_bytes(program.path() / "config.dat"), "/old/console\r\n");
    result = morvanemod::write_config(program.path() / "gone", "/c");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("config.dat: No such file or directory"), std::string::npos) << result.error;
}

}  // namespace
