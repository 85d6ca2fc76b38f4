// Replacing a texture on Windows, where another program (the game) may hold it open and a file can be
// marked read-only: a clear reason, the old file untouched, no temporary file left.
#include "platform/files/file_replace.h"
#include "tests/support/temp_folder.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

namespace {

namespace fs = std::filesystem;
using morvane::replace_file;
using morvane::testing::read_bytes;
using ::testing::HasSubstr;

struct FileReplaceOnWindows : ::testing::Test {
    FileReplaceOnWindows() { std::ofstream(file, std::ios::binary) << "old texture"; }
    const morvane::testing::TempFolder temp;
    const fs::path file = temp / "background01.vtf";
};

}  // namespace

// The game keeps its textures open for reading and lets no one delete or rename over them meanwhile.
TEST_F(FileReplaceOnWindows, ATextureAnotherProgramHoldsOpenIsLeftAsItWasWithAClearReasonAndAMomentsHoldIsWaitedFor) {
    const HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string reason = replace_file(file, "new texture").error;
    CloseHandle(held);
    EXPECT_THAT(reason, HasSubstr("another program has the file open"));
    EXPECT_EQ(read_bytes(file), "old texture");
    EXPECT_EQ(temp.names().size(), 1u);
    // A hold of a moment (another make that has just put its own copy there) is waited for.
    const HANDLE moment = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    std::thread let_go([moment] { Sleep(300), CloseHandle(moment); });
    EXPECT_EQ(replace_file(file, "new texture").error, "");
    let_go.join();
    EXPECT_EQ(read_bytes(file), "new texture");
    EXPECT_EQ(temp.names().size(), 1u);
}

TEST_F(FileReplaceOnWindows, AReadOnlyTextureIsLeftAsItWasWithAClearReason) {
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(replace_file(file, "new texture").error, "the file is read-only");
    EXPECT_EQ(read_bytes(file), "old texture");
    EXPECT_EQ(temp.names().size(), 1u);
}
