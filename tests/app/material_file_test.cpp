// The material file: its exact bytes, and that an existing one is never touched.
#include "app/core/material_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class WriteVmt : public ::testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        folder_ = fs::temp_directory_path() / ("morvane-vmt-test-" + std::to_string(::getpid()) + "-" +
                                                std::to_string(counter++));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(WriteVmt, IntoAnEmptyFolderItWritesTheSevenLinesOfExactly117Bytes) {
    const auto result = morvanemod::write_vmt(folder_);
    ASSERT_TRUE(result.ok) << result.error;
    const std::string expected =
        "\"UnlitGeneric\"\r\n{\r\n\t\"$basetexture\" \"console/background01\"\r\n\t\"$vertexcolor\" 1\r\n"
        "\t\"$no_fullbright\" 1\r\n\t\"$ignorez\" 1\r\n}\r\n";
    const std::string written = read_all(folder_ / "background01.vmt");
    EXPECT_EQ(written, expected);
    EXPECT_EQ(written.size(), 117u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator{}), 1);
}

TEST_F(WriteVmt, AnExistingMaterialFileOfAnyContentIsLeftByteForByte) {
    const std::string own = "\"UnlitGeneric\"\n{\n  \"$basetexture\" \"console/mine\"\n}\n";
    std::ofstream(folder_ / "background01.vmt", std::ios::binary) << own;
    const auto result = morvanemod::write_vmt(folder_);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(read_all(folder_ / "background01.vmt"), own);
}

TEST_F(WriteVmt, TheTexturePathIsTheGamePathWhateverTheFolderIsCalled) {
    const fs::path odd = folder_ / "Steam Games" / "cstrike" / "materials" / "console";
    fs::create_directories(odd);
    ASSERT_TRUE(morvanemod::write_vmt(odd).ok);
    EXPECT_NE(read_all(odd / "background01.vmt").find("\"console/background01\"\r\n"), std::string::npos);
}

TEST_F(WriteVmt, AMissingFolderIsReportedWithThePathAndWritesNothing) {
    const fs::path missing = folder_ / "console";
    const auto result = morvanemod::write_vmt(missing);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find((missing / "background01.vmt").string()), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("No such file or directory"), std::string::npos) << result.error;
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(WriteVmt, AFolderNamedLikeTheMaterialFileIsReportedAndKept) {
    fs::create_directory(folder_ / "background01.vmt");
    const auto result = morvanemod::write_vmt(folder_);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("background01.vmt"), std::string::npos) << result.error;
    EXPECT_TRUE(fs::is_directory(folder_ / "background01.vmt"));
}

}  // namespace
