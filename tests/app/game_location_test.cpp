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

struct Location : ::testing::Test {
    Location() {
        fs::create_directories(game() / "cstrike" / "materials");
        fs::create_directories(program());
        with.program_folder = program();
        with.dialog = &dialog;
        with.messages = &messages;
        with.write_vmt = [this](const std::string& console) {
            vmt_calls.push_back(console);
            if (!vmt_ok) return morvane_ui::MaterialWriteResult{false, console + "/background01.vmt: disk full"};
            write_bytes(fs::path(console) / "background01.vmt", "material");
            return morvane_ui::MaterialWriteResult{true, {}};
        };
    }
    fs::path game() const { return root.path() / "Half-Life 2"; }
    fs::path program() const { return root.path() / "program"; }
    fs::path console() const { return game() / "cstrike" / "materials" / "console"; }
    std::string exe() const { return (game() / "hl2.exe").string(); }

    TempFolder root;
    morvane::ScriptedFileDialog dialog;
    morvane::RecordingMessageBox messages;
    morvane_ui::GameLocation with;
    std::vector<std::string> vmt_calls;
    bool vmt_ok = true;
};

TEST_F(Location, AFirstRunAsksForHl2ExeMakesTheConsoleFolderWithItsMaterialAndRemembersIt) {
    dialog.answer(exe());
    const auto result = morvane_ui::locate_game(with);
    ASSERT_TRUE(result.located);
    EXPECT_EQ(result.console_path, console().string());
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].title, "Locate Your hl2.exe file.");
    EXPECT_EQ(dialog.shown[0].filter, "hl2.exe (hl2.exe)|hl2.exe");
    EXPECT_EQ(dialog.shown[0].file_name_before, "");
    EXPECT_TRUE(fs::is_directory(console()));
    EXPECT_EQ(vmt_calls, std::vector<std::string>{console().string()});
    EXPECT_EQ(read_bytes(program() / "config.dat"), console().string() + "\r\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Location, ALaterStartFindsTheStoredFolderSilentlyAndWritesNothing) {
    fs::create_directories(console());
    write_bytes(program() / "config.dat", console().string() + "\r\n");
    const auto before = fs::last_write_time(program() / "config.dat");
    const auto result = morvane_ui::locate_game(with);
    EXPECT_TRUE(result.located);
    EXPECT_EQ(result.console_path, console().string());
    EXPECT_TRUE(dialog.shown.empty());
    EXPECT_TRUE(vmt_calls.empty());
    EXPECT_EQ(fs::last_write_time(program() / "config.dat"), before);
}

TEST_F(Location, AnExistingConsoleFolderIsNeitherRemadeNorGivenAMaterialFile) {
    fs::create_directories(console());
    write_bytes(program() / "config.dat", "\r\n");  // an empty line reads as not located
    dialog.answer(exe());
    const auto result = morvane_ui::locate_game(with);
    EXPECT_TRUE(result.located);
    EXPECT_EQ(dialog.shown.size(), 1u);
    EXPECT_TRUE(vmt_calls.empty());
    EXPECT_FALSE(fs::exists(console() / "background01.vmt"));
    EXPECT_EQ(read_bytes(program() / "config.dat"), console().string() + "\r\n");
}

TEST_F(Location, AStoredFolderThatIsGoneIsLocatedAgainAndStoredAnew) {
    write_bytes(program() / "config.dat", (root.path() / "moved" / "console").string() + "\r\n");
    dialog.answer(exe());
    EXPECT_TRUE(morvane_ui::locate_game(with).located);
    EXPECT_EQ(read_bytes(program() / "config.dat"), console().string() + "\r\n");
}

TEST_F(Location, CancellingTheDialogTellsTheUserAndEnds) {
    const auto result = morvane_ui::locate_game(with);
    EXPECT_FALSE(result.located);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Cant locate hl2.exe file. Quitting..."});
    EXPECT_FALSE(fs::exists(program() / "config.dat"));
}

TEST_F(Location, AGameFolderWithoutCstrikeMaterialsTellsTheUserAndStoresNothing) {
    fs::create_directories(root.path() / "other");
    dialog.answer((root.path() / "other" / "hl2.exe").string());
    const auto result = morvane_ui::locate_game(with);
    EXPECT_FALSE(result.located);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Cant locate cstrike\\materials\\ folder. Quitting..."});
    EXPECT_FALSE(fs::exists(program() / "config.dat"));
}

TEST_F(Location, AConsoleFolderThatCannotBeMadeIsReportedWithItsPathAndNothingIsStored) {
    fs::remove(game() / "cstrike" / "materials");
    write_bytes(game() / "cstrike" / "materials", "not a folder");   // exists, but nothing can go inside
    dialog.answer(exe());
    const auto result = morvane_ui::locate_game(with);
    EXPECT_FALSE(result.located);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("Could not create the folder " + console().string() + ": "), std::string::npos)
        << messages.shown[0];
    EXPECT_NE(messages.shown[0].find("Quitting..."), std::string::npos);
    EXPECT_FALSE(fs::exists(program() / "config.dat"));
}

TEST_F(Location, AMaterialFileThatCannotBeWrittenIsReportedAndLeavesNoFolderAndNoSettings) {
    vmt_ok = false;
    dialog.answer(exe());
    const auto result = morvane_ui::locate_game(with);
    EXPECT_FALSE(result.located);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("background01.vmt: disk full"), std::string::npos) << messages.shown[0];
    EXPECT_FALSE(fs::exists(console()));
    EXPECT_FALSE(fs::exists(program() / "config.dat"));
}

TEST_F(Location, SettingsThatCannotBeWrittenAreReportedAndTheSessionGoesOn) {
    fs::create_directories(program() / "config.dat.new");  // blocks the new settings file
    dialog.answer(exe());
    const auto result = morvane_ui::locate_game(with);
    EXPECT_TRUE(result.located);
    EXPECT_EQ(result.console_path, console().string());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find((program() / "config.dat").string()), std::string::npos) << messages.shown[0];
    EXPECT_NE(messages.shown[0].find("ask for hl2.exe again next time"), std::string::npos);
}

}  // namespace
