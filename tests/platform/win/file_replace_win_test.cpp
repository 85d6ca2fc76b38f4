// Replacing a texture on Windows, where another program (the game) may hold it open and a file can be
// marked read-only: a clear reason, the old file untouched, no temporary file left.
#include "platform/file_replace.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace {

namespace fs = std::filesystem;
using morvane::replace_file;
using ::testing::HasSubstr;

struct FileReplaceOnWindows : ::testing::Test {
    FileReplaceOnWindows() {
        fs::create_directories(folder);
        std::ofstream(file, std::ios::binary) << "old texture";
    }
    ~FileReplaceOnWindows() override {
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    std::string old_bytes() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    size_t files_in_folder() const { return size_t(std::distance(fs::directory_iterator(folder), {})); }
    const fs::path folder = fs::temp_directory_path() / ("morvane-replace-" + std::to_string(std::random_device{}()));
    const fs::path file = folder / "background01.vtf";
};

}  // namespace

// The game keeps its textures open for reading and lets no one delete or rename over them meanwhile.
TEST_F(FileReplaceOnWindows, ATextureAnotherProgramHoldsOpenIsLeftAsItWasWithAClearReason) {
    const HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string reason = replace_file(file, "new texture");
    CloseHandle(held);
    EXPECT_THAT(reason, HasSubstr("another program has the file open"));
    EXPECT_EQ(old_bytes(), "old texture");
    EXPECT_EQ(files_in_folder(), 1u);
    // Once the program lets go, the same call replaces it.
    EXPECT_EQ(replace_file(file, "new texture"), "");
    EXPECT_EQ(old_bytes(), "new texture");
    EXPECT_EQ(files_in_folder(), 1u);
}

TEST_F(FileReplaceOnWindows, AReadOnlyTextureIsLeftAsItWasWithAClearReason) {
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(replace_file(file, "new texture"), "the file is read-only");
    EXPECT_EQ(old_bytes(), "old texture");
    EXPECT_EQ(files_in_folder(), 1u);
}
