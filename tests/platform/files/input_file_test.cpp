// Opening what a user named: only an ordinary file opens, anything else is refused at once with its reason.
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
using morvane::InputProblem;

struct Input : ::testing::Test {
    morvane::testing::TempFolder temp;
    const fs::path& folder = temp.path();
};

#ifndef _WIN32  // FIFOs, /dev/zero and names in raw bytes are POSIX's
TEST_F(Input, AFolderAFifoADeviceAMissingNameALoopAndANameTooLongAreRefusedAtOnceEachWithItsReason) {
    ASSERT_EQ(::mkfifo((folder / "pipe.jpg").c_str(), 0600), 0);
    fs::create_symlink("loop-b", folder / "loop-a");
    fs::create_symlink("loop-a", folder / "loop-b");
    const struct {
        fs::path path;
        InputProblem problem;
        std::string reason;
    } cases[] = {
        {folder, InputProblem::Folder, "it is a folder"},
        {folder / "pipe.jpg", InputProblem::NotAFile, "it is not an ordinary file (a pipe, a device or the like)"},
        {"/dev/zero", InputProblem::NotAFile, "it is not an ordinary file (a pipe, a device or the like)"},
        {folder / "gone.vtf", InputProblem::Missing, "it does not exist"},
        {folder / "loop-a", InputProblem::Unreadable, "it is a loop of symbolic links"},
        {folder / std::string(300, 'x'), InputProblem::Unreadable, "its name is too long for the system"},
    };
    for (const auto& c : cases) {
        InputFile in(c.path);  // a FIFO with no writer would block an ordinary open for ever
        EXPECT_FALSE(in.ok()) << c.path;
        EXPECT_EQ(in.problem(), c.problem) << c.path;
        EXPECT_EQ(in.reason(), c.reason) << c.path;
        EXPECT_EQ(in.release(), -1);
    }
}

TEST_F(Input, AFileWhoseNameIsNoUtf8OpensAndReadsNoMoreThanAsked) {
    const fs::path odd = folder / std::string("foto\xE9\xFF.bmp");  // Latin-1 bytes, as an old disk may hold
    std::ofstream(odd, std::ios::binary) << "0123456789";
    InputFile in(odd);
    ASSERT_TRUE(in.ok()) << in.reason();
    EXPECT_EQ(in.size(), 10u);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(in.read(4, bytes).ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123");
    EXPECT_TRUE(in.read(100, bytes).ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "456789");
}

#endif

}  // namespace
