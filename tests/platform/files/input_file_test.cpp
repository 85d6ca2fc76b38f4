// Opening what a user named: only an ordinary file opens, anything else is refused at once with its reason, in
// the caller's words where it gives them.
#include "platform/files/input_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <fstream>

namespace {

namespace fs = std::filesystem;
using morvane::InputFile;

#ifndef _WIN32  // FIFOs, /dev/zero and names in raw bytes are POSIX's
TEST(InputFile, WhatIsNoOrdinaryFileIsRefusedAtOnceWithItsReasonOrTheCallersWords) {
    const morvane::testing::TempFolder temp;
    const fs::path& folder = temp.path();
    ASSERT_EQ(::mkfifo((folder / "pipe.jpg").c_str(), 0600), 0);
    fs::create_symlink("loop-b", folder / "loop-a");
    fs::create_symlink("loop-a", folder / "loop-b");
    const morvane::InputRefusals say{"missing", "folder", "not a file", [](const std::string& why) { return "(" + why + ")"; }};
    const std::string not_a_file = "it is not an ordinary file (a pipe, a device or the like)";
    const struct {
        fs::path path;
        std::string reason, said;
    } cases[] = {
        {folder, "it is a folder", "folder"},
        {folder / "pipe.jpg", not_a_file, "not a file"},  // a FIFO with no writer would block an open for ever
        {"/dev/zero", not_a_file, "not a file"},
        {folder / "gone.vtf", "it does not exist", "missing"},
        {folder / "loop-a", "it is a loop of symbolic links", "(it is a loop of symbolic links)"},
        {folder / std::string(300, 'x'), "its name is too long for the system", "(its name is too long for the system)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(morvane::open_input_file(c.path).error, c.reason) << c.path;
        EXPECT_EQ(morvane::open_input_file(c.path, say).error, c.said) << c.path;
    }
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(InputFile().read(1, bytes).ok) << "nothing open";
}

TEST(InputFile, AFileWhoseNameIsNoUtf8OpensReadsNoMoreThanAskedAndMovesWithItsDescriptor) {
    const morvane::testing::TempFolder temp;
    const fs::path odd = temp.path() / std::string("foto\xE9\xFF.bmp");  // Latin-1 bytes, as an old disk may hold
    std::ofstream(odd, std::ios::binary) << "0123456789";
    morvane::Result<InputFile> opened = morvane::open_input_file(odd);
    ASSERT_TRUE(opened.ok) << opened.error;
    InputFile in = std::move(opened.value);
    EXPECT_EQ(in.size(), 10u);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(in.read(4, bytes).ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123");
    EXPECT_TRUE(in.read(100, bytes).ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "456789");
    EXPECT_FALSE(opened.value.read(1, bytes).ok) << "the moved-from file holds nothing";
    const uint8_t signature[2] = {'0', '1'};
    const auto whole = [&](std::span<const uint8_t> begins, uint64_t most) {
        morvane::Result<InputFile> fresh = morvane::open_input_file(odd);
        return morvane::read_file_beginning_with(fresh.value, begins, most);
    };
    EXPECT_EQ(whole(signature, 10).value.size(), 10u);
    EXPECT_FALSE(whole(signature, 9).ok) << "over the limit";
    EXPECT_FALSE(whole(std::span<const uint8_t>(signature + 1, 1), 10).ok);
}
#endif

}  // namespace
