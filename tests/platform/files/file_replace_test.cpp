// Replacing a file: the successor appears whole or not at all, and no temporary file is left behind.
#include "platform/files/file_replace.h"
#include "tests/support/temp_folder.h"

#ifndef _WIN32
#include "tests/support/file_size_limit.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

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
    ASSERT_EQ(replace_file(file, pieces).error, "");
    EXPECT_EQ(read_bytes(file), std::string("VTF\0\7\7\7", 7));
    ASSERT_EQ(replace_file(folder / "config.dat", "/c\r\n", IfPresent::Replace, ".new").error, "");
    EXPECT_EQ(read_bytes(folder / "config.dat"), "/c\r\n");
    EXPECT_EQ(temp.names(), (std::vector<std::string>{"background01.vtf", "config.dat"}));
}

TEST_F(FileReplace, AFailureNamesItsReasonKeepsTheOldFileByteForByteAndLeavesNoTemporary) {
    std::ofstream(file, std::ios::binary) << "old texture";
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EQ(replace_file(file, "new").error, "the file is read-only");
    EXPECT_EQ(replace_file(folder / "missing" / "a.vtf", "new").error, "No such file or directory");
    fs::create_directory(folder / "in-the-way");
    EXPECT_EQ(replace_file(folder / "in-the-way", "new").error, "a folder of that name is in the way");
    fs::create_directory(folder / "background01.vtf.new");  // the fixed temporary name is taken
    EXPECT_EQ(replace_file(file, "new", IfPresent::Replace, ".new").error, "the file is read-only");
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
#ifdef _WIN32
    EXPECT_EQ(replace_file(file, "new", IfPresent::Replace, ".new").error, "Permission denied");  // Windows' word for it
#else
    EXPECT_EQ(replace_file(file, "new", IfPresent::Replace, ".new").error, "Is a directory");
#endif
    EXPECT_EQ(read_bytes(file), "old texture");
    EXPECT_EQ(temp.names(), (std::vector<std::string>{"background01.vtf", "background01.vtf.new", "in-the-way"}));
}

TEST_F(FileReplace, KeepNeverTouchesAFileOfThatNameNotEvenOneTheFirstLookMissed) {
    const fs::path material = folder / "background01.vmt";
    EXPECT_EQ(replace_file(material, "first", IfPresent::Keep).error, "");
    EXPECT_EQ(replace_file(material, "second", IfPresent::Keep).error, "");
    EXPECT_EQ(read_bytes(material), "first");
#ifdef _WIN32
    GTEST_SKIP() << "links need a privilege on Windows that a player's account does not have";
#endif
    // A link to a material elsewhere counts as a material there.
    fs::create_symlink(material, folder / "link.vmt");
    EXPECT_EQ(replace_file(folder / "link.vmt", "mine", IfPresent::Keep).error, "");
    EXPECT_EQ(read_bytes(material), "first");
    EXPECT_TRUE(fs::is_symlink(folder / "link.vmt"));
}

#ifndef _WIN32  // links, modes, owners, file locks and file-size limits as POSIX has them
// A link that leads nowhere is neither "kept" nor "written": the caller is told what it is. A texture that is a
// link stays one and the file it leads to is replaced.
TEST_F(FileReplace, LinksLeadingNowhereAreRefusedAndALinkToATextureStaysALink) {
    fs::create_symlink(folder / "nowhere", folder / "dangling.vmt");
    for (IfPresent mode : {IfPresent::Keep, IfPresent::Replace})
        EXPECT_EQ(replace_file(folder / "dangling.vmt", "mine", mode).error,
                  "it is a symbolic link to \"" + (folder / "nowhere").string() +
                      "\", which does not exist; remove the link or restore what it leads to");
    fs::create_symlink("loop-b.vtf", folder / "loop-a.vtf");
    fs::create_symlink("loop-a.vtf", folder / "loop-b.vtf");
    EXPECT_EQ(replace_file(folder / "loop-a.vtf", "new").error, "it is a loop of symbolic links");
    const TempFolder elsewhere;
    std::ofstream(elsewhere / "my-background.vtf", std::ios::binary) << "old texture";
    fs::create_symlink(elsewhere / "my-background.vtf", file);
    ASSERT_EQ(replace_file(file, "new texture").error, "");
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(read_bytes(elsewhere / "my-background.vtf"), "new texture");
    EXPECT_EQ(temp.names(), (std::vector<std::string>{"background01.vtf", "dangling.vmt", "loop-a.vtf", "loop-b.vtf"}));
    EXPECT_EQ(elsewhere.names(), std::vector<std::string>{"my-background.vtf"});
}

// A new file takes the name, with the old one's mode, setgid bit and group: the old one is never half-written,
// and another hard link's name keeps the old bytes.
TEST_F(FileReplace, AReplacedFileKeepsItsModeAndGroupAndASecondHardLinkKeepsTheOldBytes) {
    std::ofstream(file, std::ios::binary) << "old texture";
    ::chmod(file.c_str(), 02640);  // the file's group is the user's own, so the setgid bit may stay
    fs::create_hard_link(file, folder / "backup.vtf");
    struct stat before {};
    ::stat(file.c_str(), &before);
    ASSERT_EQ(replace_file(file, "new texture").error, "");
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_EQ(after.st_mode & 07777, 02640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(read_bytes(file), "new texture");
    EXPECT_EQ(read_bytes(folder / "backup.vtf"), "old texture");
}

// Writers of one file at once (the window and the command line, or a script running several): each succeeds,
// and the file is always one writer's whole bytes.
TEST_F(FileReplace, ManyWritersOfOneFileAtOnceAllSucceedAndTheFileIsOneOfThemWhole) {
    constexpr int kWriters = 6;
    for (int round = 0; round < 10; ++round) {
        std::vector<std::string> reasons(kWriters, "not run");
        std::vector<std::thread> writers;
        for (int w = 0; w < kWriters; ++w)
            writers.emplace_back([&, w] { reasons[size_t(w)] = replace_file(file, std::string(100000, char('a' + w))).error; });
        for (std::thread& writer : writers) writer.join();
        EXPECT_EQ(reasons, std::vector<std::string>(kWriters, ""));
        const std::string now = read_bytes(file);
        ASSERT_EQ(now.size(), 100000u);
        EXPECT_EQ(now, std::string(100000, now[0]));
        EXPECT_EQ(temp.names(), std::vector<std::string>{"background01.vtf"});
    }
}


// A killed write leaves its temporary file; the next write of that file removes it, and only such files:
// not another file's, not a name that merely looks alike, not one that a living writer still holds, not an
// empty one made a moment ago (its writer may not have locked it yet). One killed a moment ago goes too.
TEST_F(FileReplace, LeftoversOfAKilledWriteGoAtTheNextWriteAndNothingElseDoes) {
    const auto an_hour_ago = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {"background01.vtf.0a1b2c3d.tmp", "background01.vtf.ffffffff.tmp", "background01.vmt.12345678.tmp"}) {
        std::ofstream(folder / name) << "cut off";
        if (name[17] != 'f') fs::last_write_time(folder / name, an_hour_ago);
    }
    const fs::path just_made = folder / "background01.vtf.0000bbbb.tmp";
    std::ofstream(just_made) << "";
    const std::vector<std::string> alike{"background01.vtf.0A1B2C3D.tmp", "background01.vtf.0a1b2c3.tmp",
                                         "background01.vtf.0a1b2c3d.tmp.old", "notes.vtf.0a1b2c3d.tmp"};
    for (const std::string& name : alike) std::ofstream(folder / name) << "keep";
    const fs::path held = folder / "background01.vtf.0000aaaa.tmp";  // a writer running at the same time
    std::ofstream(held) << "being written";
    fs::last_write_time(held, an_hour_ago);
    const int held_fd = ::open(held.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held_fd, LOCK_EX), 0);
    const fs::path link = folder / "background01.vtf.abcdef12.tmp";
    fs::create_symlink(folder / "notes.vtf.0a1b2c3d.tmp", link);

    ASSERT_EQ(replace_file(file, "new").error, "");
    ASSERT_EQ(replace_file(folder / "background01.vmt", "material", IfPresent::Keep).error, "");
    ::close(held_fd);
    std::vector<std::string> expected = alike;
    for (const fs::path& name : {file, folder / "background01.vmt", held, just_made, link}) expected.push_back(name.filename().string());
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
    EXPECT_EQ(morvane::testing::with_file_size_limit(150000, [&] { return replace_file(file, pieces).error; }),
              "File too large");
    EXPECT_EQ(read_bytes(file), "old texture");
    EXPECT_EQ(temp.names(), std::vector<std::string>{"background01.vtf"});
}

#endif

}  // namespace
