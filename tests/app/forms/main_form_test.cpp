// The main window's logic as any host drives it: start-up, the picture, the resolution, the build and its
// progress window, the notice, the drag and the end.
#include "tests/app/forms/forms_fixture.h"

#include "app/core/console_files.h"
#include "app/core/settings_file.h"
#include "app/forms/game_location.h"
#include "tests/app/core/expected_materials.h"

#include <fstream>
#include <iterator>
#include <numeric>

namespace morvane::testing {
namespace {

std::string bytes_of(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

using MainForm = MainFormTest;

TEST_F(MainForm, AtLoadTheWindowIsRoundedWithCornersOf20AndFullyTransparent) {
    open();
    EXPECT_EQ(view.main_shell.regions, (std::vector<app::RoundRegion>{{0, 0, 820, 711, 20, 20}}));
    EXPECT_EQ(view.main_shell.opacities, std::vector<int>{0});
}

TEST_F(MainForm, AtLoadTheResolutionListOffersBothSizesWithTheFirstSelected) {
    open();
    EXPECT_EQ(form->controls().find("elcombo1")->list.entries(), (std::vector<std::string>{"1024 x 1024", "2048 x 2048"}));
    EXPECT_EQ(view.list->GetListIndex(), 0);
}

TEST_F(MainForm, AtLoadTheBuiltInPictureIsScaledTo1024Square) {
    open();
    EXPECT_EQ(form->Picture1().width_pixels(), 1024);
    EXPECT_EQ(form->Picture2().width_pixels(), 1024);
    EXPECT_EQ(form->Picture2().height_pixels(), 1024);
}

TEST_F(MainForm, AFirstStartFadesInOneStepAtATimeFrom0To230) {
    dialog.answer(exe());
    open().Form_Activate();
    std::vector<int> fade(232);  // 0 at load, then 0 .. 230
    std::iota(fade.begin() + 1, fade.end(), 0);
    EXPECT_EQ(view.main_shell.opacities, fade);
}

TEST_F(MainForm, AFirstStartAsksForTheGamesProgramWithItsTitleAndFilter) {
    dialog.answer(exe());
    open().Form_Activate();
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].title, "Locate Your hl2.exe file.");
#ifdef _WIN32
    EXPECT_EQ(dialog.shown[0].filter, "hl2.exe (hl2.exe)|hl2.exe");
#else
    EXPECT_EQ(dialog.shown[0].filter, "The game's program (hl2_linux hl2.sh hl2.exe)|hl2_linux;hl2.sh;hl2.exe");
#endif
    EXPECT_EQ(dialog.shown[0].folder, "") << "no Steam: the system picks where the dialog opens";
}

TEST_F(MainForm, AFirstStartStoresTheConsoleFolderInConfigDatAsOneLineEndedByCrLf) {
    dialog.answer(exe());
    open().Form_Activate();
    EXPECT_EQ(app::read_config(program()), console_utf8());
    const std::string stored = bytes_of(program() / "config.dat");
    EXPECT_EQ(stored.find("\r\n"), stored.size() - 2) << "one line, ended by CR LF";
}

TEST_F(MainForm, AFirstStartWritesBothMaterialsByteForByte) {
    dialog.answer(exe());
    open().Form_Activate();
    EXPECT_EQ(bytes_of(console() / "background01.vmt"), kStandardMaterial);
    EXPECT_EQ(bytes_of(console() / "background01_widescreen.vmt"), kWidescreenMaterial);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainForm, ACancelledDialogSaysSoAndEndsTheProgram) {
    open().Form_Activate();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Cant locate hl2.exe file. Quitting..."});
    EXPECT_EQ(exit_code, 1);
    EXPECT_TRUE(form->ended());
}

TEST_F(MainForm, ABuildShowsTheProgressWindowOnceAndUnloadsItAfterwards) {
    open_located();
    form->make_background();
    EXPECT_EQ(view.progress_windows, 1);
    EXPECT_FALSE(view.progress.has_value());
}

// The system's Close and a session's end come while the build yields; ending then would free what it uses.
TEST_F(MainForm, ACloseDuringABuildIsToldAndEndsTheProgramOnceBothTexturesAreWritten) {
    open_located();
    during_yield = [this] {
        form->end_program(0);
        EXPECT_FALSE(exit_code.has_value()) << "not while the build runs";
        EXPECT_NE(form->controls().find("Label4")->label.caption.find("closes as soon as"), std::string::npos);
    };
    form->make_background();
    EXPECT_EQ(exit_code, 0);
    EXPECT_TRUE(fs::exists(console() / "background01_widescreen.vtf"));
}

TEST_F(MainForm, ABuildTakesInputAwayAndGivesItBack) {
    open_located();
    form->make_background();
    EXPECT_EQ(view.input, (std::vector<bool>{false, true}));
}

TEST_F(MainForm, ABuildOf1024RunsTheBarToElevenOneStepPerMipLevel) {
    open_located();
    form->make_background();
    EXPECT_EQ(view.bar_max, 11);
    EXPECT_EQ(view.bar_values.back(), 11);
}

TEST_F(MainForm, ABuildWritesTheSameTextureForBothScreenShapes) {
    open_located();
    form->make_background();
    ASSERT_TRUE(fs::exists(console() / "background01.vtf"));
    EXPECT_EQ(bytes_of(console() / "background01.vtf"), bytes_of(console() / "background01_widescreen.vtf"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainForm, ASuccessfulBuildShowsANoticeNamingTheResolutionUntilItIsHidden) {
    open_located();
    form->make_background();
    EXPECT_TRUE(form->notice_shown());
    EXPECT_NE(form->controls().find("Label4")->label.caption.find("1024 x 1024"), std::string::npos);
    form->hide_notice();
    EXPECT_FALSE(form->notice_shown());
}

// A console folder set up by an earlier version has no widescreen material yet.
TEST_F(MainForm, ABuildWritesAMissingWidescreenMaterial) {
    open_located();
    fs::remove(console() / "background01_widescreen.vmt");
    form->make_background();
    EXPECT_EQ(bytes_of(console() / "background01_widescreen.vmt"), kWidescreenMaterial);
}

TEST_F(MainForm, ABuildKeepsThePlayersOwnWidescreenMaterial) {
    open_located();
    std::ofstream(console() / "background01_widescreen.vmt", std::ios::binary) << "my own material";
    form->make_background();
    EXPECT_EQ(bytes_of(console() / "background01_widescreen.vmt"), "my own material");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainForm, AFolderWhereTheWidescreenMaterialBelongsIsReportedAndBothTexturesAreStillWritten) {
    open_located();
    const fs::path material = console() / "background01_widescreen.vmt";
    fs::remove(material);
    fs::create_directory(material);
    form->make_background();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("background01_widescreen.vmt\": a folder of that name is in the way"),
              std::string::npos)
        << messages.shown[0];
    EXPECT_TRUE(fs::exists(console() / "background01.vtf") && fs::exists(console() / "background01_widescreen.vtf"));
}

TEST_F(MainForm, ChangingTheResolutionRescalesTheLoadedPictureNotTheEarlierCopy) {
    open_located();
    pictures["wide.bmp"] = Image32(1600, 900, Bgra{10, 20, 30, 255});
    form->load_picture_file("wide.bmp");
    EXPECT_EQ(form->Picture1().width_pixels(), 1600);
    view.list->SetListIndex(1);
    EXPECT_EQ(form->Picture2().width_pixels(), 2048);
    EXPECT_EQ(form->Picture2().image().pixel(2047, 2047), (Bgra{10, 20, 30, 255}));
    form->make_background();
    EXPECT_EQ(view.bar_max, 12);
}

TEST_F(MainForm, APictureThatCannotBeReadIsToldAndThePreviousOneStays) {
    open_located();
    const uint64_t before = form->Picture2().image().generation();
    form->load_picture_file("cut.jpg");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("cut.jpg"), std::string::npos);
    EXPECT_EQ(form->Picture2().image().generation(), before);
}

TEST_F(MainForm, LoadPictureAsksWithItsTitleAndFilterAndACancelChangesNothing) {
    open_located();
    const int shown = view.pictures;
    form->load_picture();
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].title, "Load Picture...");
    EXPECT_EQ(dialog.shown[0].filter, "Picture File(*.bmp,*.jpg)|*.bmp;*.jpg");
    EXPECT_EQ(view.pictures, shown);
}

TEST_F(MainForm, ABuildBeforeTheGameIsLocatedWritesNothingAndSaysWhy) {
    open();
    form->make_background();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("game folder"), std::string::npos) << messages.shown[0];
    EXPECT_EQ(view.progress_windows, 0);
}

TEST_F(MainForm, TheTitleDragsTheWindowSoThatItsCornerFollowsTheCursorAtTheGrabPoint) {
    open_located();
    form->title_pressed(100, 50);
    cursor.position = {400, 300};
    form->title_moved();
    form->title_released();
    form->title_moved();
    ASSERT_EQ(view.main_shell.moves.size(), 1u) << "moving after the release moves nothing";
    EXPECT_EQ(view.main_shell.moves[0], (app::ScreenPoint{300, 250}));
}

}  // namespace
}  // namespace morvane::testing
