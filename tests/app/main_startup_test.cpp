// The first activation: fade-in, config.dat, the hl2.exe dialog and the ways the program ends.
#include "main_window_fixture.h"

#include "controls/elcombo.h"

#include <numeric>

namespace fs = std::filesystem;

namespace morvane::testing {
namespace {

using Startup = MainWindowTest;

TEST_F(Startup, LoadingRoundsTheWindowHidesItAndScalesTheBuiltInPictureTo1024) {
    auto& w = open();
    EXPECT_EQ(w.size(), QSize(820, 711));
    ASSERT_EQ(effects.regions.size(), 1u);
    EXPECT_EQ(effects.regions[0], (form_fx::RoundRegion{0, 0, 820, 711, 20, 20}));
    EXPECT_EQ(effects.opacities, std::vector<int>{0});
    EXPECT_EQ(w.console_path(), "");
    EXPECT_FALSE(w.activated());
    EXPECT_EQ(w.elcombo1().ListCount(), 2);
    EXPECT_EQ(w.elcombo1().GetList(0), "1024 x 1024");
    EXPECT_EQ(w.elcombo1().GetList(1), "2048 x 2048");
    EXPECT_EQ(w.elcombo1().GetListIndex(), 0);
    EXPECT_EQ(w.Picture2().width_pixels(), 1024);
    EXPECT_EQ(w.Picture2().height_pixels(), 1024);
    EXPECT_EQ(w.Picture2().image().bytes, w.Picture1().image().bytes);  // the 1024 default copied 1:1
}

TEST_F(Startup, AFirstRunFadesInAsksForHl2ExeAndWritesTheMaterialAndConfigDat) {
    dialog.answer(exe());
    auto& w = open();
    w.Form_Activate();
    std::vector<int> fade(231);
    std::iota(fade.begin(), fade.end(), 0);
    EXPECT_EQ(std::vector<int>(effects.opacities.begin() + 1, effects.opacities.end()), fade);
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].title, "Locate Your hl2.exe file.");
    EXPECT_EQ(dialog.shown[0].filter, "hl2.exe (hl2.exe)|hl2.exe");
    EXPECT_TRUE(fs::is_directory(console()));
    EXPECT_EQ(fs::file_size(console() / "background01.vmt"), 117u);
    EXPECT_EQ(read_bytes(program() / "config.dat"), console().string() + "\r\n");
    EXPECT_EQ(w.console_path(), console().string());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(exit_code.has_value());
}

TEST_F(Startup, ASecondStartShowsNoDialogAndWritesNothing) {
    fs::create_directories(console());
    write_bytes(program() / "config.dat", console().string() + "\r\n");
    const auto stamp = fs::last_write_time(program() / "config.dat");
    auto& w = open();
    w.Form_Activate();
    EXPECT_TRUE(dialog.shown.empty());
    EXPECT_EQ(w.console_path(), console().string());
    EXPECT_FALSE(fs::exists(console() / "background01.vmt"));
    EXPECT_EQ(fs::last_write_time(program() / "config.dat"), stamp);
    EXPECT_EQ(read_bytes(program() / "config.dat"), console().string() + "\r\n");
}

TEST_F(Startup, AnEmptyConfigDatCountsAsMissing) {
    write_bytes(program() / "config.dat", "");
    dialog.answer(exe());
    open().Form_Activate();
    EXPECT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(window->console_path(), console().string());
}

TEST_F(Startup, CancellingTheDialogShowsTheMessageAndEndsTheProgram) {
    auto& w = open();
    w.Form_Activate();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Cant locate hl2.exe file. Quitting..."});
    ASSERT_TRUE(exit_code.has_value());
    EXPECT_TRUE(w.ended());
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(fs::exists(program() / "config.dat"));
}

TEST_F(Startup, AGameWithoutCstrikeMaterialsShowsTheMessageAndEndsTheProgram) {
    fs::create_directories(root.path() / "elsewhere");
    dialog.answer((root.path() / "elsewhere" / "hl2.exe").string());
    auto& w = open();
    w.Form_Activate();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Cant locate cstrike\\materials\\ folder. Quitting..."});
    EXPECT_TRUE(exit_code.has_value());
    EXPECT_EQ(w.console_path(), "");
    EXPECT_FALSE(fs::exists(program() / "config.dat"));
}

TEST_F(Startup, AnActivationDuringTheFadeDoesNotLocateTheGameTwice) {
    dialog.answer(exe());
    auto& w = open();
    bool activated_while_fading = false;
    during_yield = [&] {
        activated_while_fading = activated_while_fading || w.activated();
        w.Form_Activate();
    };
    w.Form_Activate();
    EXPECT_TRUE(activated_while_fading);
    EXPECT_EQ(dialog.shown.size(), 1u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Startup, TheCloseGlyphDuringTheFadeEndsTheProgramWithoutADialog) {
    auto& w = open();
    w.show();
    during_yield = [&] {
        if (yields == 5) w.end_program(0);
    };
    w.Form_Activate();
    EXPECT_EQ(exit_code, 0);
    EXPECT_TRUE(dialog.shown.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_LT(effects.opacities.size(), 10u);
}

TEST_F(Startup, ALaterActivationDoesNothing) {
    auto& w = open_located();
    const auto opacities = effects.opacities.size();
    w.Form_Activate();
    EXPECT_EQ(effects.opacities.size(), opacities);
    EXPECT_TRUE(dialog.shown.empty());
}

}  // namespace
}  // namespace morvane::testing
