// Writing the texture: a user's earlier file survives any failure, and only complete files are written.
#include "texture/vtfmod.h"
#include "texture_test_support.h"
#include "tests/platform/file_size_limit.h"

namespace {

namespace fs = std::filesystem;
using namespace morvane::testing;

const std::vector<uint8_t> kOldTexture(3000000, 0x5A);  // longer than any texture written here

struct WriteVtfFile : ::testing::Test {
    WriteVtfFile() { std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(kOldTexture.data()), 3000000); }
    ScratchFolder folder;
    const fs::path file = folder.path / "background01.vtf";
};

TEST_F(WriteVtfFile, OverwritingALongerFileLeavesExactlyTheNewLengthForEveryBlockFormat) {
    for (const auto& [format, block_bytes] : {std::pair{15, 16u}, {14, 16u}, {13, 8u}}) {
        const auto result = built(16, format).WriteVtfFile(file);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(fs::file_size(file), 64u + 128u + block_bytes * (16 + 4 + 1 + 1 + 1)) << format;
    }
    EXPECT_EQ(folder.names(), std::vector<std::string>{"background01.vtf"});
}

TEST_F(WriteVtfFile, AFailedWriteLeavesTheOldFileByteForByteAndNoTemporaryFile) {
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto result = built(16).WriteVtfFile(file);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(file.string()), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("read-only"), std::string::npos) << result.error;
    EXPECT_EQ(file_bytes(file), kOldTexture);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"background01.vtf"});
}

#ifndef _WIN32  // a file-size limit as POSIX has it
// A change that ignored a failed write() would rename the cut-off texture over this one.
TEST_F(WriteVtfFile, ADiskThatFillsUpHalfwayLeavesTheOldFileByteForByteNoTemporaryAndSaysWhy) {
    const morvane::texture::TextureModule texture = built(256);  // about 87 KB
    const std::string error = morvane::testing::with_file_size_limit(20000, [&] { return texture.WriteVtfFile(file).error; });
    EXPECT_NE(error.find(file.string()), std::string::npos) << error;
    EXPECT_NE(error.find("File too large"), std::string::npos) << error;
    EXPECT_EQ(file_bytes(file), kOldTexture);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"background01.vtf"});
}

#endif

TEST_F(WriteVtfFile, AStateNoBuildHasFilledIsRefusedAndWritesNothing) {
    const auto result = morvane::texture::TextureModule().WriteVtfFile(file);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("no texture has been built"), std::string::npos) << result.error;
    EXPECT_NE(result.error.find(file.string()), std::string::npos) << result.error;
    EXPECT_EQ(file_bytes(file), kOldTexture);
}

}  // namespace
