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

// What the build does through the form is the window's logic (tests/app/forms); here what the Qt window and
// its progress window add.
TEST_F(Build, DuringABuildTheWindowTakesNoInputAndACloseRequestEndsTheProgramOnlyAfterIt) {
    auto& w = open_located();
    w.show();
    int yields_seen = 0;
    during_yield = [&] {
        EXPECT_FALSE(w.isEnabled());
        if (auto* shown = process.loaded()) {
            ++yields_seen;
            EXPECT_FALSE(shown->close()) << "the progress window's own close is ignored";
            w.close();
            EXPECT_FALSE(exit_code.has_value()) << "the main window's close waits for the build";
        }
    };
    click(&w.elboton2());  // Make Background
    EXPECT_GT(yields_seen, 0);
    EXPECT_EQ(process.loaded(), nullptr) << "the progress window is unloaded";
    EXPECT_EQ(exit_code, 0);
}

TEST_F(Build, TheProgressWindowIsRoundedAt312By71AndShownAtOpacity150) {
    open_located().make_background();
    EXPECT_EQ(effects.regions.back(), (app::form_fx::RoundRegion{0, 0, 312, 71, 20, 20}));
    EXPECT_EQ(effects.opacities.back(), 150);
}

TEST_F(Build, EachBuildStartsWithAnEmptyBarAndMovesItOnceAtEachOfItsElevenLevels) {
    auto& w = open_located();
    for (int build = 0; build < 2; ++build) {
        std::vector<int32_t> values;  // the bar at each yield once it has its range
        during_yield = [&] {
            if (auto* shown = process.loaded(); shown && shown->elprogress1().Max() == 11)
                values.push_back(shown->elprogress1().Value());
        };
        w.make_background();
        EXPECT_EQ(values, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10})) << "build " << build;
    }
}

// The sizes are worked out in tests/texture/vtf_file_test.cpp.
TEST_F(Build, The2048EntryWritesA5592624ByteTextureOverThe1024One) {
    auto& w = open_located();
    w.make_background();
    EXPECT_EQ(fs::file_size(texture_file()), 1398320u);
    w.elcombo1().SetListIndex(1);
    w.make_background();
    EXPECT_EQ(fs::file_size(texture_file()), 5592624u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Build, TheWordAfterABuildNamesTheSizeBothFilesAndAFolderShortenedInTheMiddle) {
    auto& w = open_located();
    w.show();
    EXPECT_FALSE(w.notice().shown()) << "nothing said before a build";
    w.make_background();
    const QString said = w.notice().text();
    EXPECT_TRUE(said.startsWith("Background made (1024 x 1024):\nbackground01.vtf, background01_widescreen.vtf\nin "))
        << said.toStdString();
    EXPECT_TRUE(said.endsWith("console")) << "a long folder loses its middle, never its end";
}

TEST_F(Build, TheWordAfterABuildMovesNothingAndCoversNoNeighbour) {
    auto& w = open_located();
    w.show();
    const auto layout = [&] {
        QList<QRect> places;
        for (QWidget* child : w.findChildren<QWidget*>()) places.push_back(child->geometry());
        return places;
    };
    const QList<QRect> before = layout();
    w.make_background();
    ASSERT_TRUE(w.notice().shown());
    EXPECT_EQ(layout(), before);
    const QRect place = w.controls().find("Label4")->geometry();
    for (const char* neighbour : {"elcombo1", "elboton2", "elframe2"})
        EXPECT_FALSE(place.intersects(w.controls().find(neighbour)->geometry())) << neighbour << " stays uncovered";
}

TEST_F(Build, WhenOneOfTheTwoTexturesCannotBeWrittenTheOtherIsAndOneMessageNamesBoth) {
    auto& w = open_located();
    w.make_background();
    ASSERT_TRUE(w.notice().shown());
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
}

// Each file's own sentence says that its earlier version is unchanged, and nothing says it again.
TEST_F(Build, WhenNeitherTextureCanBeWrittenBothStayAsTheyWereAndNoTemporaryFileIsLeft) {
    auto& w = open_located();
    write_bytes(texture_file(), "the old background");
    write_bytes(widescreen_file(), "the old wide background");
    make_read_only(texture_file());
    make_read_only(widescreen_file());
    w.make_background();
    EXPECT_EQ(read_bytes(texture_file()), "the old background");
    EXPECT_EQ(read_bytes(widescreen_file()), "the old wide background");
    const auto refused = [](const fs::path& file) {
        return "Could not write the texture \"" + file.string() + "\": the file is read-only. Any earlier file of that "
               "name is unchanged; check that the folder exists and is writable.";
    };
    EXPECT_EQ(messages.shown, std::vector<std::string>{"The background was not written: " + refused(texture_file()) +
                                                       "\n" + refused(widescreen_file())});
    EXPECT_EQ(std::distance(fs::directory_iterator(console()), {}), 4) << "two materials, two textures";
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(process.loaded(), nullptr);
}

TEST_F(Build, ARefusedSurfaceSaysErrorWritesNothingAndGivesInputBack) {
    auto& w = open_located();
    w.Source_Buffer().set_container_units_per_pixel(15);  // the surface check refuses this
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
