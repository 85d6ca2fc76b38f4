// The main window's logic as any host drives it: start-up, the picture, the resolution, the build and its
// progress window, the notice, the drag and the end.
#include "tests/app/forms/forms_fixture.h"

#include "app/core/console_files.h"
#include "app/forms/game_location.h"

#include <fstream>
#include <iterator>

namespace morvane::testing {
namespace {

std::string bytes_of(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

using MainForm = MainFormTest;

TEST_F(MainForm, LoadsRoundedAndInvisibleWithTheFirstResolutionScalingTheBuiltInPicture) {
    open();
    ASSERT_EQ(view.main_shell.regions.size(), 1u);
    EXPECT_EQ(view.main_shell.regions[0], (app::RoundRegion{0, 0, 820, 711, 20, 20}));
    EXPECT_EQ(view.main_shell.opacities, std::vector<int>{0});
    EXPECT_EQ(view.list->GetListIndex(), 0);
    EXPECT_EQ(form->controls().find("elcombo1")->list.GetList(1), "2048 x 2048");
    EXPECT_EQ(form->Picture2().width_pixels(), 1024);
    EXPECT_EQ(form->Picture1().width_pixels(), 1024);
}

TEST_F(MainForm, AFirstStartFadesInTo230AsksForHl2ExeAndWritesConfigDatAndBothMaterials) {
    dialog.answer(exe());
    open().Form_Activate();
    ASSERT_EQ(view.main_shell.opacities.size(), 232u);  // 0 at load, then 0 .. 230
    EXPECT_EQ(view.main_shell.opacities.back(), 230);
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].title, "Locate Your hl2.exe file.");
    EXPECT_EQ(bytes_of(program() / "config.dat"), console().string() + "\r\n");
    EXPECT_EQ(fs::file_size(console() / "background01.vmt"), 117u);
    EXPECT_TRUE(fs::exists(console() / "background01_widescreen.vmt"));
}

TEST_F(MainForm, ACancelledDialogSaysSoAndEndsTheProgram) {
    open().Form_Activate();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Cant locate hl2.exe file. Quitting..."});
    EXPECT_EQ(exit_code, 1);
    EXPECT_TRUE(form->ended());
}

TEST_F(MainForm, TheBuildShowsTheProgressWindowTakesInputAwayAndWritesBothTexturesWithANotice) {
    open_located();
    form->make_background();
    EXPECT_EQ(view.progress_windows, 1);
    EXPECT_FALSE(view.progress.has_value()) << "unloaded after the build";
    EXPECT_EQ(view.input, (std::vector<bool>{false, true}));
    EXPECT_EQ(view.bar_max, 11) << "one step per mip level of 1024";
    EXPECT_EQ(view.bar_values.back(), 11);
    EXPECT_TRUE(fs::exists(console() / "background01.vtf"));
    EXPECT_EQ(bytes_of(console() / "background01.vtf"), bytes_of(console() / "background01_widescreen.vtf"));
    EXPECT_TRUE(form->notice_shown());
    EXPECT_NE(form->controls().find("Label4")->label.caption.find("1024 x 1024"), std::string::npos);
    EXPECT_TRUE(messages.shown.empty());
    form->hide_notice();
    EXPECT_FALSE(form->notice_shown());
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
