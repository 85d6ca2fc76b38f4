// Replacing a file: the successor appears whole or not at all, and no temporary file is left behind.
#include "platform/files/file_replace.h"
#include "tests/support/temp_folder.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

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

// The new bytes replace a longer file exactly, as a new file under its name (the old one is never half-written)
// with the old one's mode, setgid bit and group; a link stays a link to the new texture, and a hard link's
// other name keeps the old bytes. No temporary file remains beside either. Keep never touches a file of that
// name, nor one a link leads to.
TEST_F(FileReplace, TheNewBytesReplaceTheFileWholeKeepingItsModeAndLinksAndNoTemporaryRemains) {
    std::ofstream(file, std::ios::binary) << std::string(5000, 'o');
#ifndef _WIN32
    ::chmod(file.c_str(), 02640);  // the file's group is the user's own, so the setgid bit may stay
    struct stat before {}, after {};
    ::stat(file.c_str(), &before);
#endif
    const std::vector<uint8_t> head{'V', 'T', 'F', 0}, body(3, 7);
    const std::span<const uint8_t> pieces[] = {head, {}, body};
    ASSERT_EQ(replace_file(file, pieces).error, "");
    EXPECT_EQ(read_bytes(file), std::string("VTF\0\7\7\7", 7));
    EXPECT_EQ(replace_file(file, "another", IfPresent::Keep).error, "");  // Keep never touches a file of that name
    EXPECT_EQ(read_bytes(file), std::string("VTF\0\7\7\7", 7));
    EXPECT_EQ(temp.names(), std::vector<std::string>{"background01.vtf"});
#ifndef _WIN32
    ::stat(file.c_str(), &after);
    EXPECT_EQ(after.st_mode & 07777, 02640u);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_NE(after.st_ino, before.st_ino);
    const TempFolder elsewhere;
    const fs::path real = elsewhere / "my-background.vtf";
    std::ofstream(real, std::ios::binary) << "old texture";
    fs::create_symlink(real, folder / "link.vtf");
    ASSERT_EQ(replace_file(folder / "link.vtf", "new texture").error, "");
    EXPECT_TRUE(fs::is_symlink(folder / "link.vtf"));
    EXPECT_EQ(replace_file(folder / "link.vtf", "kept", IfPresent::Keep).error, "");  // a material there counts
    fs::create_hard_link(real, folder / "backup.vtf");
    ASSERT_EQ(replace_file(folder / "backup.vtf", "newer").error, "");
    EXPECT_EQ(read_bytes(real), "new texture");
    EXPECT_EQ(elsewhere.names(), std::vector<std::string>{"my-background.vtf"});
#endif
}

// A failure names its reason, keeps the old file byte for byte and leaves no temporary; a link that leads
// nowhere is neither "kept" nor "written": the caller is told what it is.
TEST_F(FileReplace, AFailureNamesItsReasonKeepsTheOldFileByteForByteAndLeavesNoTemporary) {
    std::ofstream(file, std::ios::binary) << "old texture";
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EQ(replace_file(file, "new").error, "the file is read-only");
    EXPECT_EQ(replace_file(folder / "missing" / "a.vtf", "new").error, "No such file or directory");
    fs::create_directory(folder / "in-the-way");
    EXPECT_EQ(replace_file(folder / "in-the-way", "new").error, "a folder of that name is in the way");
    fs::create_directory(folder / "background01.vtf.new");  // the fixed temporary name is taken
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
#ifdef _WIN32
    EXPECT_EQ(replace_file(file, "new", IfPresent::Replace, ".new").error, "Permission denied");  // Windows' word for it
    const std::vector<std::string> names{"background01.vtf", "background01.vtf.new", "in-the-way"};
#else
    EXPECT_EQ(replace_file(file, "new", IfPresent::Replace, ".new").error, "Is a directory");
    fs::create_symlink(folder / "nowhere", folder / "dangling.vmt");
    for (IfPresent mode : {IfPresent::Keep, IfPresent::Replace})
        EXPECT_EQ(replace_file(folder / "dangling.vmt", "mine", mode).error, "it is a symbolic link to \"" +
                  (folder / "nowhere").string() + "\", which does not exist; remove the link or restore what it leads to");
    fs::create_symlink("loop-b.vtf", folder / "loop-a.vtf");
    fs::create_symlink("loop-a.vtf", folder / "loop-b.vtf");
    EXPECT_EQ(replace_file(folder / "loop-a.vtf", "new").error, "it is a loop of symbolic links");
    const std::vector<std::string> names{"background01.vtf", "background01.vtf.new", "dangling.vmt", "in-the-way",
                                         "loop-a.vtf", "loop-b.vtf"};
#endif
    EXPECT_EQ(read_bytes(file), "old texture");
    EXPECT_EQ(temp.names(), names);
}

#ifndef _WIN32  // file locks as POSIX has them
// Writers of one file at once (the window and the command line, or a script running several): each succeeds,
// and the file is always one writer's whole bytes.
TEST_F(FileReplace, ManyWritersOfOneFileAtOnceAllSucceedAndTheFileIsOneOfThemWhole) {
    for (int round = 0; round < 10; ++round) {
        std::vector<std::string> reasons(6, "not run");
        std::vector<std::thread> writers;
        for (size_t w = 0; w < reasons.size(); ++w)
            writers.emplace_back([&, w] { reasons[w] = replace_file(file, std::string(100000, char('a' + w))).error; });
        for (std::thread& writer : writers) writer.join();
        EXPECT_EQ(reasons, std::vector<std::string>(6, ""));
        const std::string now = read_bytes(file);
        EXPECT_EQ(now, std::string(100000, now[0]));
        EXPECT_EQ(temp.names(), std::vector<std::string>{"background01.vtf"});
    }
}

// A killed write leaves its temporary file; the next write of that file removes it (one killed a moment ago
// too), and only such files: not another file's or a name that merely looks alike, not one that a living writer
// still holds, not an empty one made a moment ago (its writer may not have locked it yet).
TEST_F(FileReplace, LeftoversOfAKilledWriteGoAtTheNextWriteAndNothingElseDoes) {
    const std::vector<std::string> kept{"background01.vtf", "background01.vtf.0000aaaa.tmp", "background01.vtf.0000bbbb.tmp",
        "background01.vtf.0A1B2C3D.tmp", "background01.vtf.0a1b2c3d.tmp.old", "notes.vtf.0a1b2c3d.tmp"};
    for (const std::string& name : kept) std::ofstream(folder / name) << (name.ends_with("bbbb.tmp") ? "" : "keep");
    for (const char* name : {"background01.vtf.0a1b2c3d.tmp", "background01.vtf.ffffffff.tmp"})
        std::ofstream(folder / name) << "cut off";
    for (const std::string& name : {kept[1], std::string("background01.vtf.0a1b2c3d.tmp")})
        fs::last_write_time(folder / name, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const int held = ::open((folder / kept[1]).c_str(), O_RDONLY);  // a writer running at the same time
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    ASSERT_EQ(replace_file(file, "new").error, "");
    ::close(held);
    EXPECT_EQ(temp.names(), kept);
}

#endif

}  // namespace
