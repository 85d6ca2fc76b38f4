// config.dat and background01.vmt on a disk that fills up halfway through them: the old file stays byte for
// byte, nothing half-written is left beside it, and the message names the file and the reason.
#include "app/core/material_file.h"
#include "app/core/settings_file.h"
#include "temp_folder.h"
#include "tests/platform/file_size_limit.h"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> names(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& entry : fs::directory_iterator(folder)) out.push_back(entry.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

TEST(SettingsFilesOnAFullDisk, ConfigDatKeepsItsOldFolderAndTheMaterialFileIsNotLeftCutOff) {
    TempFolder folder;
    const std::string old_config = "/games/old/cstrike/materials/console\r\n";
    write_bytes(folder.path() / "config.dat", old_config);
    const std::string config_error = with_file_size_limit(10, [&] {
        return app::write_config(folder.path(), "/games/new/cstrike/materials/console").error;
    });
    EXPECT_EQ(config_error, "Could not write " + (folder.path() / "config.dat").string() + ": File too large");
    EXPECT_EQ(read_bytes(folder.path() / "config.dat"), old_config);

    const std::string material_error = with_file_size_limit(50, [&] { return app::write_vmt(folder.path()).error; });
    EXPECT_NE(material_error.find((folder.path() / "background01.vmt").string() + "\": File too large"), std::string::npos)
        << material_error;
    EXPECT_EQ(names(folder.path()), std::vector<std::string>{"config.dat"});
}

}  // namespace
}  // namespace morvane::testing
