// Writing the texture: a user's earlier file survives any failure, and only complete files are written.
#include "tests/support/file_size_limit.h"
#include "texture/vtfmod.h"
#include "texture_test_support.h"

#include <functional>

namespace morvane::testing {
namespace {

namespace fs = std::filesystem;

const std::string kOldTexture(3000000, 'Z');  // longer than any texture written here

struct WriteVtfFile : ::testing::Test {
    WriteVtfFile() { write_bytes(file, kOldTexture); }
    const TempFolder folder;
    const fs::path file = folder / "background01.vtf";
};

// A state no build has filled, levels in a format that has no compressed data, a read-only file, and a disk
// that fills up halfway (a change that ignored a failed write() would rename the cut-off texture over the
// old one): each says which file and why, and leaves the old file byte for byte and nothing beside it.
TEST_F(WriteVtfFile, EveryRefusalOrFailureLeavesTheOldFileByteForByteAndSaysWhy) {
    const texture::TextureModule texture = built(256);  // about 87 KB
    const struct {
        const char* why;
        std::function<std::string()> write;
    } cases[] = {
        {"no texture has been built", [&] { return texture::TextureModule().WriteVtfFile(file).error; }},
        {"image format 0", [&] { return built(32, 0).WriteVtfFile(file).error; }},
        {"read-only", [&] {
             fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                             fs::perm_options::remove);
             const std::string error = texture.WriteVtfFile(file).error;
             fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
             return error;
         }},
#ifndef _WIN32  // a file-size limit as POSIX has it
        {"File too large", [&] { return with_file_size_limit(20000, [&] { return texture.WriteVtfFile(file).error; }); }},
#endif
    };
    for (const auto& c : cases) {
        const std::string error = c.write();
        EXPECT_NE(error.find(c.why), std::string::npos) << error;
        EXPECT_NE(error.find(file.string()), std::string::npos) << error;
        EXPECT_TRUE(read_bytes(file) == kOldTexture) << c.why;
        EXPECT_EQ(folder.names(), std::vector<std::string>{"background01.vtf"}) << c.why;
    }
}

}  // namespace
}  // namespace morvane::testing
