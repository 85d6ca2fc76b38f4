// Writing the texture: a user's earlier file survives any failure, and only complete files are written.
#include "texture/vtfmod.h"
#include "texture_test_support.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using morvane_test::BuildSurfaces;
using morvane_test::file_bytes;
using morvane_test::gradient_picture;
using morvane_test::ScratchFolder;
using morvane_test::write_bytes;
using vtfmod::TextureModule;

TextureModule built(int side = 16, int32_t format = 15) {
    BuildSurfaces s(gradient_picture(side, side));
    TextureModule m;
    EXPECT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, format, 1));
    return m;
}

const std::vector<uint8_t> kOldTexture(3000000, 0x5A);  // longer than any texture written here

TEST(WriteVtfFile, OverwritingALongerFileLeavesExactlyTheNewLength) {
    ScratchFolder folder;
    const fs::path file = folder.path() / "background01.vtf";
    write_bytes(file, kOldTexture);
    const TextureModule m = built();
    const auto result = m.WriteVtfFile(file);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(fs::file_size(file), 64u + 128u + 16u * (16 + 4 + 1 + 1 + 1));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"background01.vtf"});
}

TEST(WriteVtfFile, WritingTheSameStateTwiceGivesTheSameBytes) {
    ScratchFolder folder;
    const TextureModule m = built();
    ASSERT_TRUE(m.WriteVtfFile(folder.path() / "a.vtf").ok);
    ASSERT_TRUE(m.WriteVtfFile(folder.path() / "b.vtf").ok);
    EXPECT_EQ(file_bytes(folder.path() / "a.vtf"), file_bytes(folder.path() / "b.vtf"));
}

TEST(WriteVtfFile, AMissingFolderFailsWithThePathAndTheReasonAndLeavesNoFile) {
    ScratchFolder folder;
    const fs::path file = folder.path() / "missing" / "background01.vtf";
    const auto result = built().WriteVtfFile(file);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(file.string()), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("No such file or directory"), std::string::npos) << result.error;
    EXPECT_TRUE(folder.names().empty());
}

TEST(WriteVtfFile, AReadOnlyTextureIsLeftByteForByteAndNoTemporaryFileRemains) {
    ScratchFolder folder;
    const fs::path file = folder.path() / "background01.vtf";
    write_bytes(file, kOldTexture);
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto result = built().WriteVtfFile(file);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(file.string()), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("read-only"), std::string::npos) << result.error;
    EXPECT_EQ(file_bytes(file), kOldTexture);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"background01.vtf"});
}

TEST(WriteVtfFile, AFolderThatCannotTakeNewFilesKeepsTheOldTextureUntouched) {
    ScratchFolder folder;
    const fs::path file = folder.path() / "background01.vtf";
    write_bytes(file, kOldTexture);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const auto result = built().WriteVtfFile(file);
    fs::permissions(folder.path(), fs::perms::owner_all);
    if (result.ok) GTEST_SKIP() << "this user may write into read-only folders (root)";
    EXPECT_NE(result.error.find(file.string()), std::string::npos) << result.error;
    EXPECT_EQ(file_bytes(file), kOldTexture);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"background01.vtf"});
}

TEST(WriteVtfFile, AFolderInTheWayOfTheFileIsReportedAndKept) {
    ScratchFolder folder;
    const fs::path file = folder.path() / "background01.vtf";
    fs::create_directory(file);
    const auto result = built().WriteVtfFile(file);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("folder"), std::string::npos) << result.error;
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"background01.vtf"});
}

TEST(WriteVtfFile, AStateNoBuildHasFilledIsRefusedAndWritesNothing) {
    ScratchFolder folder;
    const fs::path file = folder.path() / "background01.vtf";
    write_bytes(file, kOldTexture);
    const TextureModule empty;
    const auto result = empty.WriteVtfFile(file);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("no texture has been built"), std::string::npos) << result.error;
    EXPECT_NE(result.error.find(file.string()), std::string::npos) << result.error;
    EXPECT_EQ(file_bytes(file), kOldTexture);
}

TEST(WriteVtfFile, AStateWithoutCompressedLevelsIsRefusedRatherThanWrittenShort) {
    ScratchFolder folder;
    const fs::path file = folder.path() / "background01.vtf";
    const TextureModule m = built(16, 0);
    const auto result = m.WriteVtfFile(file);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("image format 0"), std::string::npos) << result.error;
    EXPECT_FALSE(fs::exists(file));
}

TEST(WriteVtfFile, DxtOneAndDxtThreeLevelsAreWrittenWithTheirOwnBlockSizes) {
    ScratchFolder folder;
    ASSERT_TRUE(built(16, 13).WriteVtfFile(folder.path() / "dxt1.vtf").ok);
    ASSERT_TRUE(built(16, 14).WriteVtfFile(folder.path() / "dxt3.vtf").ok);
    EXPECT_EQ(fs::file_size(folder.path() / "dxt1.vtf"), 64u + 128u + 8u * (16 + 4 + 1 + 1 + 1));
    EXPECT_EQ(fs::file_size(folder.path() / "dxt3.vtf"), 64u + 128u + 16u * (16 + 4 + 1 + 1 + 1));
}

}  // namespace
