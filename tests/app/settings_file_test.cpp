#include "app/core/settings_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

using morvane::testing::read_bytes;
using morvane::testing::TempFolder;
using morvane::testing::write_bytes;

namespace {

TEST(SettingsFile, WritesOneLineEndedByCrLfBesideTheProgram) {
    TempFolder program;
    const auto result = morvanemod::write_config(program.path(), "/games/hl2/cstrike/materials/console");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(read_bytes(program.path() / "config.dat"), "/games/hl2/cstrike/materials/console\r\n");
    EXPECT_FALSE(std::filesystem::exists(program.path() / "config.dat.new"));
}

TEST(SettingsFile, ReadsBackWhatWasWritten) {
    TempFolder program;
    ASSERT_TRUE(morvanemod::write_config(program.path(), "/games/Hälf Life/cstrike/materials/console").ok);
    EXPECT_EQ(morvanemod::read_config(program.path()), "/games/Hälf Life/cstrike/materials/console");
}

TEST(SettingsFile, UsesOnlyTheFirstLineAndDropsItsLineEnd) {
    TempFolder program;
    write_bytes(program.path() / "config.dat", "/a/b\r\n/c/d\r\n");
    EXPECT_EQ(morvanemod::read_config(program.path()), "/a/b");
    write_bytes(program.path() / "config.dat", "/a/b\n");
    EXPECT_EQ(morvanemod::read_config(program.path()), "/a/b");
    write_bytes(program.path() / "config.dat", "/a/b");
    EXPECT_EQ(morvanemod::read_config(program.path()), "/a/b");
}

TEST(SettingsFile, AMissingEmptyOrUnreadableFileReadsAsNotLocated) {
    TempFolder program;
    EXPECT_EQ(morvanemod::read_config(program.path()), "");
    write_bytes(program.path() / "config.dat", "");
    EXPECT_EQ(morvanemod::read_config(program.path()), "");
    write_bytes(program.path() / "config.dat", "\r\n/after/an/empty/line\r\n");
    EXPECT_EQ(morvanemod::read_config(program.path()), "");
    std::filesystem::remove(program.path() / "config.dat");
    std::filesystem::create_directory(program.path() / "config.dat");  // cannot be read as a file
    EXPECT_EQ(morvanemod::read_config(program.path()), "");
}

TEST(SettingsFile, AFileWithAByteOrderMarkIsReadAsUtf8) {
    TempFolder program;
    write_bytes(program.path() / "config.dat", "\xEF\xBB\xBF/spiele/\xE6\xB8\xB8\xE6\x88\x8F\r\n");
    EXPECT_EQ(morvanemod::read_config(program.path()), "/spiele/\xE6\xB8\xB8\xE6\x88\x8F");
}

#ifndef _WIN32
TEST(SettingsFile, StoresUtf8WithoutAByteOrderMarkWherePathsAreUtf8) {
    EXPECT_EQ(morvanemod::encode_config_line("/x/\xC3\xA9"), "/x/\xC3\xA9\r\n");
}
#endif

TEST(SettingsFile, AFailedWriteIsReportedWithThePathAndKeepsTheOldFile) {
    TempFolder program;
    // config.dat.new taken by a folder: the new file cannot be made (as root, permissions would not stop us).
    write_bytes(program.path() / "config.dat", "/old/console\r\n");
    std::filesystem::create_directory(program.path() / "config.dat.new");
    const auto result = morvanemod::write_config(program.path(), "/new/console");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find((program.path() / "config.dat").string()), std::string::npos) << result.error;
    EXPECT_EQ(read_bytes(program.path() / "config.dat"), "/old/console\r\n");
}

TEST(SettingsFile, WritingIntoAMissingProgramFolderFailsWithAReason) {
    TempFolder program;
    const auto result = morvanemod::write_config(program.path() / "gone", "/c");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("config.dat"), std::string::npos);
    EXPECT_GT(result.error.size(), std::string("Could not write ").size() + (program.path() / "gone").string().size() + 12);
}

}  // namespace
