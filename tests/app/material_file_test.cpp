// The material file: its exact bytes, and that an existing one is never touched.
#include "app/core/material_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using morvane::testing::read_bytes;
using morvane::testing::TempFolder;
using morvane::testing::write_bytes;

TEST(WriteVmt, WritesTheSevenLinesOfExactly117BytesOnceAndNeverOverwritesAnyMaterial) {
    TempFolder folder;
    const fs::path material = folder.path() / "background01.vmt";
    ASSERT_TRUE(morvanemod::write_vmt(folder.path()).ok);
    const std::string expected =
        "\"UnlitGeneric\"\r\n{\r\n\t\"$basetexture\" \"console/background01\"\r\n\t\"$vertexcolor\" 1\r\n"
        "\t\"$no_fullbright\" 1\r\n\t\"$ignorez\" 1\r\n}\r\n";
    EXPECT_EQ(read_bytes(material), expected);
    EXPECT_EQ(expected.size(), 117u);
    write_bytes(material, "mine");
    EXPECT_TRUE(morvanemod::write_vmt(folder.path()).ok);
    EXPECT_EQ(read_bytes(material), "mine");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator{}), 1);
}

TEST(WriteVmt, AMissingFolderOrAFolderInTheWayIsReportedWithThePathAndTheReason) {
    TempFolder folder;
    const fs::path missing = folder.path() / "console";
    EXPECT_NE(morvanemod::write_vmt(missing).error.find((missing / "background01.vmt").string() +
                                                        "\": No such file or directory"), std::string::npos);
    EXPECT_FALSE(fs::exists(missing));
    fs::create_directory(folder.path() / "background01.vmt");
    const auto result = morvanemod::write_vmt(folder.path());
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("background01.vmt\": a folder of that name is in the way"), std::string::npos)
        << result.error;
    EXPECT_TRUE(fs::is_directory(folder.path() / "background01.vmt"));
}

}  // namespace
