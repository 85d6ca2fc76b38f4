// The build command from the main window: files written, the progress window, input taken and given back,
// the word after a build, what the user is told when something goes wrong, and the same file as
// `morvane-cli make` writes.
#include "main_window_fixture.h"

#include "app/build_notice.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elprogress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>

namespace morvane::testing {
namespace {

using Build = MainWindowTest;

TEST_F(Build, MakeBackgroundWrites1024And2048TexturesForBothScreenShapesMovingTheBarOncePerLevelAndSaysSo) {
    const struct {
        int16_t index;
        uint64_t bytes;
        int levels;
    } sizes[] = {{0, 1398320u, 11}, {1, 5592624u, 12}};
    auto& w = open_located();
    w.show();
    EXPECT_FALSE(w.notice().shown()) << "nothing said before a build";
    const auto layout = [&] {
        QList<QRect> places;
        for (QWidget* child : w.findChildren<QWidget*>()) places.push_back(child->geometry());
        return places;
    };
    for (const auto& size : sizes) {
        w.elcombo1().SetListIndex(size.index);
        const QList<QRect> before = layout();
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

        const QString said = w.notice().text(), side = QString::number(1024 << size.index);
        EXPECT_TRUE(said.startsWith("Background made (" + side + " x " + side +
                                    "):\nbackground01.vtf, background01_widescreen.vtf\nin "))
            << said.toStdString();
        EXPECT_TRUE(said.endsWith("console")) << "a long folder loses its middle, never its end";
        EXPECT_EQ(layout(), before) << "the word after a build moves nothing";
    }
    EXPECT_EQ(process.times_created(), 2);
    EXPECT_TRUE(messages.shown.empty());
    const QRect place = w.controls().find("Label4")->geometry();
    for (const char* neighbour : {"elcombo1", "elboton2", "elframe2"})
        EXPECT_FALSE(place.intersects(w.controls().find(neighbour)->geometry())) << neighbour << " stays uncovered";
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

TEST_F(Build, AFailedOrRefusedBuildTellsTheUserOnceKeepsTheOldFilesTakesTheWordAwayAndGivesInputBack) {
    auto& w = open_located();
    w.make_background();
    ASSERT_TRUE(w.notice().shown());
    // One of the two cannot be written: the other is, and the message names both.
    const std::string old_texture = read_bytes(texture_file());
    make_read_only(texture_file());
    w.elcombo1().SetListIndex(1);
    w.make_background();
    EXPECT_EQ(read_bytes(texture_file()), old_texture);
    EXPECT_EQ(fs::file_size(widescreen_file()), 5592624u);
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string& said = messages.shown[0];
    EXPECT_EQ(said.rfind("The background was written for one screen shape only: ", 0), 0u) << said;
    EXPECT_NE(said.find("\"" + texture_file().string() + "\": the file is read-only"), std::string::npos) << said;
    EXPECT_NE(said.find("The same background was written to \"" + widescreen_file().string() + "\"."), std::string::npos)
        << said;
    EXPECT_FALSE(w.notice().shown()) << "the earlier success is not repeated beside a failure";
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(process.loaded(), nullptr);

    // Neither can: both stay as they were. Each file's own sentence says that its earlier version is
    // unchanged, and nothing says it again.
    messages.shown.clear();
    write_bytes(widescreen_file(), "the old wide background");
    make_read_only(widescreen_file());
    w.make_background();
    EXPECT_EQ(read_bytes(widescreen_file()), "the old wide background");
    const auto refused = [](const fs::path& file) {
        return "Could not write the texture \"" + file.string() + "\": the file is read-only. Any earlier file of that "
               "name is unchanged; check that the folder exists and is writable.";
    };
    EXPECT_EQ(messages.shown, std::vector<std::string>{"The background was not written: " + refused(texture_file()) +
                                                       "\n" + refused(widescreen_file())});
    EXPECT_EQ(std::distance(fs::directory_iterator(console()), {}), 4) << "no temporary file stays behind";

    fs::remove(texture_file());
    fs::remove(widescreen_file());
    messages.shown.clear();
    w.Temp_Buffer().set_border_style(morvane::BorderFixedSingle);  // the surface check refuses this
    w.make_background();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"error"});
    EXPECT_FALSE(fs::exists(texture_file()) || fs::exists(widescreen_file()));
    EXPECT_FALSE(w.notice().shown());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(process.loaded(), nullptr);
}

TEST(BuildNotice, HidesItselfAfterItsTimeAndShortensLinesInTheMiddle) {
    QLabel label;
    label.resize(120, 40);
    app::BuildNotice notice(label, 1);
    notice.show_text("short\n/a/very/long/folder/that/does/not/fit/in/the/label/console");
    const QStringList lines = notice.text().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "short");
    EXPECT_TRUE(lines[1].startsWith("/a/") && lines[1].endsWith("console") && lines[1].contains(QChar(0x2026)))
        << lines[1].toStdString();
    QElapsedTimer waited;
    waited.start();
    while (notice.shown() && waited.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(notice.shown());
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
