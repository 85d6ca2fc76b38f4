// What locating the game reports when the disk refuses: each failure names its file and loses nothing.
#include "app/game_location.h"

#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using morvane::testing::read_bytes;
using morvane::testing::TempFolder;
using morvane::testing::write_bytes;

namespace {

TEST(Location, AFolderOrMaterialThatCannotBeMadeEndsWithItsPathAndAnUnwritableConfigDatDoesNot) {
    enum Fault { FolderBlocked, MaterialFails, ConfigBlocked };
    for (Fault fault : {FolderBlocked, MaterialFails, ConfigBlocked}) {
        TempFolder root;
        const fs::path materials = root.path() / "hl2" / "cstrike" / "materials", program = root.path() / "program";
        const fs::path console = materials / "console";
        fs::create_directories(materials);
        fs::create_directories(program);
        morvane::ScriptedFileDialog dialog;
        morvane::RecordingMessageBox messages;
        dialog.answer((root.path() / "hl2" / "hl2.exe").string());
        morvane_ui::GameLocation with{program, &dialog, &messages, [&](const std::string& folder) {
            if (fault == MaterialFails) return morvane_ui::MaterialWriteResult{false, folder + "/background01.vmt: disk full"};
            write_bytes(fs::path(folder) / "background01.vmt", "material");
            return morvane_ui::MaterialWriteResult{true, {}};
        }};
        if (fault == FolderBlocked) {
            fs::remove(materials);
            write_bytes(materials, "not a folder");  // exists, but nothing can go inside
        }
        if (fault == ConfigBlocked) fs::create_directories(program / "config.dat.new");
        const auto result = morvane_ui::locate_game(with);
        ASSERT_EQ(messages.shown.size(), 1u) << fault;
        const std::string& said = messages.shown[0];
        if (fault == ConfigBlocked) {
            EXPECT_TRUE(result.located);
            EXPECT_EQ(result.console_path, console.string());
            EXPECT_NE(said.find((program / "config.dat").string()), std::string::npos) << said;
            EXPECT_NE(said.find("ask for hl2.exe again next time"), std::string::npos) << said;
            continue;
        }
        EXPECT_FALSE(result.located) << fault;
        const std::string named = fault == FolderBlocked ? "Could not create the folder " + console.string() + ": "
                                                         : "background01.vmt: disk full";
        EXPECT_NE(said.find(named), std::string::npos) << said;
        EXPECT_NE(said.find("Quitting..."), std::string::npos) << said;
        EXPECT_FALSE(fs::is_directory(console)) << "no half-made console folder";
        EXPECT_FALSE(fs::exists(program / "config.dat"));
    }
}

}  // namespace
