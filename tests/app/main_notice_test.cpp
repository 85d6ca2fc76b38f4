// The word after a build: shown after a build that wrote the background, never after one that did not.
#include "main_window_fixture.h"

#include "app/build_notice.h"
#include "app/core/build_confirmation.h"
#include "controls/elcombo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>

namespace morvane::testing {
namespace {

using Notice = MainWindowTest;

TEST_F(Notice, ABuildThatWroteTheBackgroundSaysSoWithItsSizeFileAndFolderWithoutMovingAnything) {
    auto& w = open_located();
    EXPECT_FALSE(w.notice().shown()) << "nothing before a build";
    QList<QRect> layout;
    for (QWidget* child : w.findChildren<QWidget*>()) layout.push_back(child->geometry());

    w.make_background();
    ASSERT_TRUE(w.notice().shown());
    const QString said = w.notice().text();
    EXPECT_TRUE(said.startsWith("Background made (1024 x 1024):\nbackground01.vtf, background01_widescreen.vtf\nin ")) << said.toStdString();
    EXPECT_TRUE(said.endsWith("console")) << "a long folder loses its middle, never its end";
    QList<QRect> after;
    for (QWidget* child : w.findChildren<QWidget*>()) after.push_back(child->geometry());
    EXPECT_EQ(after, layout) << "nothing moved";
    const QRect place = w.controls().find("Label4")->geometry();
    for (const char* neighbour : {"elcombo1", "elboton2", "elframe2"})
        EXPECT_FALSE(place.intersects(w.controls().find(neighbour)->geometry())) << neighbour << " stays uncovered";

    w.elcombo1().SetListIndex(1);
    w.make_background();
    EXPECT_TRUE(w.notice().text().startsWith("Background made (2048 x 2048):")) << w.notice().text().toStdString();
}

TEST_F(Notice, ARefusedOrFailedBuildShowsNoWordAndTakesAnEarlierOneAway) {
    auto& w = open_located();
    w.make_background();
    ASSERT_TRUE(w.notice().shown());
    fs::permissions(texture_file(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    w.make_background();  // the file cannot be replaced
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(w.notice().shown()) << "the earlier success is not repeated beside a failure";

    fs::remove(texture_file());
    messages.shown.clear();
    w.Temp_Buffer().set_border_style(morvane::BorderFixedSingle);  // the surface check refuses this
    w.make_background();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"error"});
    EXPECT_FALSE(w.notice().shown());
}

TEST(BuildNoticeAlone, HidesItselfAfterItsTimeAndShortensLinesInTheMiddle) {
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

TEST(BuildConfirmation, NamesEveryWrittenFileInTheOrderWritten) {
    EXPECT_EQ(app::build_confirmation(2048, "C:\\Games\\cstrike\\materials\\console",
                                             {"console/background01.vtf", "console/background01_widescreen.vtf"}),
              "Background made (2048 x 2048):\nbackground01.vtf, background01_widescreen.vtf\n"
              "in C:\\Games\\cstrike\\materials\\console");
}

}  // namespace
}  // namespace morvane::testing
