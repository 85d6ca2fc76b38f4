// Replacing a file: the successor appears whole or not at all, and no temporary file is left behind.
#include "platform/file_replace.h"
#include "tests/support/temp_folder.h"

#ifndef _WIN32
#include "tests/support/file_size_limit.h"

#include <fcntl.h>
#include <sys/file.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using morvane::IfPresent;
using morvane::replace_file;
using morvane::testing::read_bytes;
using morvane::testing::TempFolder;

struct FileReplace : ::testing::Test {
    const TempFolder temp;
    const fs::path& folder = temp.path();
    const fs::path file = folder / "background01.vtf";
};

TEST_F(FileReplace, TheNewBytesReplaceALongerFileExactlyAndNoTemporaryFileRemains) {
    std::ofstream(file, std::ios::binary) << std::string(5000, 'o');
    const std::vector<uint8_t> head{'V', 'T', 'F', 0}, body(3, 7);
    const std::span<const uint8_t> pieces[] = {head, {}, body};
    ASSERT_EQ(replace_file(file, pieces), "");
    EXPECT_EQ(read_bytes(file), std::string("VTF\0\7\7\7", 7));
    ASSERT_EQ(replace_file(folder / "config.dat", "/c\r\n", IfPresent::Replace, ".new"), "");
    EXPECT_EQ(read_bytes(folder / "config.dat"), "/c\r\n");
    EXPECT_EQ(temp.names(), (std::vector<std::string>{"background01.vtf", "config.dat"}));
}

TEST_F(FileReplace, AFailureNamesItsReasonKeepsTheOldFileByteForByteAndLeavesNoTemporary) {
    std::ofstream(file, std::ios::binary) << "old texture";
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EQ(replace_file(file, "new"), "the file is read-only");
    EXPECT_EQ(replace_file(folder / "missing" / "a.vtf", "new"), "No such file or directory");
    fs::create_directory(folder / "in-the-way");
    EXPECT_EQ(replace_file(folder / "in-the-way", "new"), "a folder of that name is in the way");
    fs::create_directory(folder / "background01.vtf.new");  // the fixed temporary name is taken
    EXPECT_EQ(replace_file(file, "new", IfPresent::Replace, ".new"), "the file is read-only");
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
#ifdef _WIN32
    EXPECT_EQ(replace_file(file, "new", IfPresent::Replace, ".new"), "Permission denied");  // Windows' word for it
#else
    EXPECT_EQ(replace_file(file, "new", IfPresent::Replace, ".new"), "Is a directory");
#endif
    EXPECT_EQ(read_bytes(file), "old texture");
    EXPECT_EQ(temp.names(), (std::vector<std::string>{"background01.vtf", "background01.vtf.new", "in-the-way"}));
}

TEST_F(FileReplace, KeepNeverTouchesAFileOfThatNameNotEvenOneTheFirstLookMissed) {
    const fs::path material = folder / "background01.vmt";
    EXPECT_EQ(replace_file(material, "first", IfPresent::Keep), "");
    EXPECT_EQ(replace_file(material, "second", IfPresent::Keep), "");
    EXPECT_EQ(read_bytes(material), "first");
#ifdef _WIN32
    GTEST_SKIP() << "links need a privilege on Windows that a player's account does not have";
#endif
    // A dangling link looks absent to the first check, as a file created a moment later would.
    const fs::path link = folder / "link.vmt";
    fs::create_symlink(folder / "nowhere", link);
    EXPECT_EQ(replace_file(link, "mine", IfPresent::Keep), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_FALSE(fs::exists(folder / "nowhere"));
    EXPECT_EQ(temp.names(), (std::vector<std::string>{"background01.vmt", "link.vmt"}));
}

#ifndef _WIN32  // file locks and file-size limits as POSIX has them
// A killed write leaves its temporary file; the next write of that file removes it, and only such files:
// not another file's, not a name that merely looks alike, not one that a living writer still holds.
TEST_F(FileReplace, LeftoversOfAKilledWriteGoAtTheNextWriteAndNothingElseDoes) {
    for (const char* name : {"background01.vtf.0a1b2c3d.tmp", "background01.vtf.ffffffff.tmp", "background01.vmt.12345678.tmp"})
        std::ofstream(folder / name) << "cut off";
    const std::vector<std::string> alike{"background01.vtf.0A1B2C3D.tmp", "background01.vtf.0a1b2c3.tmp",
                                         "background01.vtf.0a1b2c3d.tmp.old", "notes.vtf.0a1b2c3d.tmp"};
    for (const std::string& name : alike) std::ofstream(folder / name) << "keep";
    const fs::path held = folder / "background01.vtf.0000aaaa.tmp";  // a writer running at the same time
    std::ofstream(held) << "being written";
    const int held_fd = ::open(held.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held_fd, LOCK_EX), 0);
    const fs::path link = folder / "background01.vtf.abcdef12.tmp";
    fs::create_symlink(folder / "notes.vtf.0a1b2c3d.tmp", link);

    ASSERT_EQ(replace_file(file, "new"), "");
    ASSERT_EQ(replace_file(folder / "background01.vmt", "material", IfPresent::Keep), "");
    ::close(held_fd);
    std::vector<std::string> expected = alike;
    for (const fs::path& name : {file, folder / "background01.vmt", held, link}) expected.push_back(name.filename().string());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(temp.names(), expected);
    EXPECT_EQ(read_bytes(folder / "notes.vtf.0a1b2c3d.tmp"), "keep");
}

// The disk fills up in the middle of the new file: the old file stays byte for byte, the cut-off temporary
// is gone, and the message says why.
TEST_F(FileReplace, AWriteThatFailsHalfwayKeepsTheOldFileAndLeavesNoTemporary) {
    std::ofstream(file, std::ios::binary) << "old texture";
    const std::vector<uint8_t> big(100000, 0x5A);
    const std::span<const uint8_t> pieces[] = {big, big};
    EXPECT_EQ(morvane::testing::with_file_size_limit(150000, [&] { return replace_file(file, pieces); }),
              "File too large");
    EXPECT_EQ(read_bytes(file), "old texture");
    EXPECT_EQ(temp.names(), std::vector<std::string>{"background01.vtf"});
}

#endif

}  // namespace
