// Replacing a texture on Windows, where another program (the game) may hold it open and a file can be
// marked read-only: a clear reason, the old file untouched, no temporary file left.
#include "platform/files/file_replace.h"
#include "tests/support/temp_folder.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

namespace morvane::testing {
namespace {

// The game keeps its textures open for reading and lets no one delete or rename over them meanwhile; a hold
// of a moment (another make that has just put its own copy there) is waited for.
TEST(FileReplaceOnWindows, ATextureHeldOpenOrReadOnlyIsLeftAsItWasWithAClearReasonAndAMomentsHoldIsWaitedFor) {
    const TempFolder temp;
    const std::filesystem::path file = temp / "background01.vtf";
    std::ofstream(file, std::ios::binary) << "old texture";
    const auto hold = [&] { return CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr); };
    const HANDLE held = hold();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THAT(replace_file(file, "new texture").error, ::testing::HasSubstr("another program has the file open"));
    CloseHandle(held);
    EXPECT_EQ(read_bytes(file), "old texture");
    EXPECT_EQ(temp.names().size(), 1u);

    std::thread let_go([moment = hold()] { Sleep(300), CloseHandle(moment); });
    EXPECT_EQ(replace_file(file, "new texture").error, "");
    let_go.join();
    EXPECT_EQ(read_bytes(file), "new texture");

    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(replace_file(file, "newer texture").error, "the file is read-only");
    EXPECT_EQ(read_bytes(file), "new texture");
    EXPECT_EQ(temp.names().size(), 1u);
}

}  // namespace
}  // namespace morvane::testing
