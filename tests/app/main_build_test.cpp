// The build command from the main window: files written, the progress window, input taken and given back,
// what the user is told when something goes wrong, and the same file as `morvane-cli make` writes.
#include "main_window_fixture.h"

#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elprogress.h"

#include <QProcess>

namespace morvane::testing {
namespace {

using Build = MainWindowTest;

TEST_F(Build, MakeBackgroundWritesA1024And2048TextureForBothScreenShapesWithTheBarMovingOncePerLevelAndInputOff) {
    const struct {
        int16_t index;
        uint64_t bytes;
        int levels;
    } sizes[] = {{0, 1398320u, 11}, {1, 5592624u, 12}};
    auto& w = open_located();
    w.show();
    for (const auto& size : sizes) {
        w.elcombo1().SetListIndex(size.index);
        std::vector<int32_t> values;  // the bar at each yield
        during_yield = [&] {
            EXPECT_FALSE(w.isEnabled());
            if (auto* shown = process.loaded(); shown && shown->elprogress1().Max() == size.levels) {
                values.push_back(shown->elprogress1().Value());
                EXPECT_FALSE(shown->close()) << "a close request from the window system is ignored";
            }
        };
        click(&w.elboton2());  // Make Background
        EXPECT_EQ(values.size(), size_t(size.levels));
        EXPECT_EQ(values.empty() ? -1 : values.front(), 0) << "each build starts with an empty bar";
        EXPECT_EQ(fs::file_size(texture_file()), size.bytes) << "the second build replaces the first";
        EXPECT_TRUE(read_bytes(widescreen_file()) == read_bytes(texture_file())) << "the same texture for wide screens";
        EXPECT_TRUE(w.isEnabled());
        EXPECT_EQ(process.loaded(), nullptr) << "the progress window is unloaded";
        EXPECT_EQ(effects.regions.back(), (app::form_fx::RoundRegion{0, 0, 312, 71, 20, 20})) << "the progress window";
        EXPECT_EQ(effects.opacities.back(), 150);
    }
    EXPECT_EQ(process.times_created(), 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Build, MakeBackgroundBeforeTheGameIsKnownWritesNothingAndSaysWhy) {
    auto& w = open();  // not activated yet: no console folder
    w.make_background();
    EXPECT_EQ(process.times_created(), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("game folder"), std::string::npos);
}

TEST_F(Build, AConsoleFolderSetUpBeforeGetsTheWidescreenMaterialFromTheNextBuildAndAPlayersOwnIsKept) {
    auto& w = open_located();
    const fs::path material = console() / "background01_widescreen.vmt";
    fs::remove(material);
    w.make_background();
    EXPECT_EQ(fs::file_size(material), 128u);
    write_bytes(material, "my own material");
    w.make_background();
    EXPECT_EQ(read_bytes(material), "my own material");
    EXPECT_TRUE(messages.shown.empty());

    fs::remove(material);
    fs::create_directory(material);
    w.make_background();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("\"" + material.string() + "\": a folder of that name is in the way"),
              std::string::npos)
        << messages.shown[0];
    EXPECT_TRUE(fs::exists(widescreen_file()) && fs::exists(texture_file()));
}

TEST_F(Build, AFailedOrRefusedBuildTellsTheUserKeepsTheOldFilesAndGivesInputBack) {
    auto& w = open_located();
    const auto remove_write = [](const fs::path& file) {
        fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    };
    // One of the two cannot be written: the other is, and the message names both.
    write_bytes(texture_file(), "the old background");
    remove_write(texture_file());
    w.make_background();
    EXPECT_EQ(read_bytes(texture_file()), "the old background");
    EXPECT_EQ(fs::file_size(widescreen_file()), 1398320u);
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string& said = messages.shown[0];
    EXPECT_EQ(said.rfind("The background was written for one screen shape only: ", 0), 0u) << said;
    EXPECT_NE(said.find("\"" + texture_file().string() + "\": the file is read-only"), std::string::npos) << said;
    EXPECT_NE(said.find("The same background was written to \"" + widescreen_file().string() + "\"."), std::string::npos)
        << said;
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(process.loaded(), nullptr);

    // Neither can: both stay as they were.
    messages.shown.clear();
    write_bytes(widescreen_file(), "the old wide background");
    remove_write(widescreen_file());
    w.make_background();
    EXPECT_EQ(read_bytes(widescreen_file()), "the old wide background");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("The background was not written: ", 0), 0u) << messages.shown[0];
    EXPECT_NE(messages.shown[0].find(widescreen_file().string()), std::string::npos) << messages.shown[0];
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(console())) names.push_back(entry.path().filename().string());
    EXPECT_EQ(names.size(), 4u) << "no temporary file stays behind";

    fs::remove(texture_file());
    fs::remove(widescreen_file());
    messages.shown.clear();
    w.Temp_Buffer().set_border_style(morvane::BorderFixedSingle);  // the surface check refuses this
    w.make_background();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"error"});
    EXPECT_FALSE(fs::exists(texture_file()) || fs::exists(widescreen_file()));
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(process.loaded(), nullptr);
}

#ifdef MORVANE_CLI_PATH
TEST_F(Build, TheWindowAndMorvaneCliMakeTheSameFileFromTheSamePhoto) {
    const fs::path photo = wide_picture("photo.jpg"), out = root.path() / "cli";
    fs::create_directories(out);
    QProcess cli;
    cli.start(QStringLiteral(MORVANE_CLI_PATH), {"make", QString::fromStdString(photo.string()), "--size", "1024",
                                                 "--out", QString::fromStdString(out.string())});
    ASSERT_TRUE(cli.waitForFinished(300000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    auto& w = open_located();
    dialog.answer(photo.string());
    w.load_picture();
    w.make_background();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0];
    EXPECT_TRUE(read_bytes(texture_file()) == read_bytes(out / "background01.vtf"));
    EXPECT_TRUE(read_bytes(widescreen_file()) == read_bytes(out / "background01_widescreen.vtf"));
}
#endif

}  // namespace
}  // namespace morvane::testing
