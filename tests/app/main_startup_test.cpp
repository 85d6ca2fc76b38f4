// The first activation: fade-in, config.dat, the hl2.exe dialog and the ways the program ends.
#include "main_window_fixture.h"

#include <numeric>

namespace fs = std::filesystem;

namespace morvane::testing {
namespace {

using Startup = MainWindowTest;

TEST_F(Startup, AFirstRunFadesInAsksForHl2ExeAndWritesTheMaterialAndConfigDatAndASecondWritesNothing) {
    dialog.answer(exe());
    auto& w = open();
    EXPECT_EQ(effects.regions, (std::vector<form_fx::RoundRegion>{{0, 0, 820, 711, 20, 20}}));
    w.Form_Activate();
    std::vector<int> fade(232);  // hidden at load, then 0..230 one by one
    std::iota(fade.begin() + 1, fade.end(), 0);
    EXPECT_EQ(effects.opacities, fade);
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].title, "Locate Your hl2.exe file.");
    EXPECT_EQ(dialog.shown[0].filter, "hl2.exe (hl2.exe)|hl2.exe");
    EXPECT_EQ(fs::file_size(console() / "background01.vmt"), 117u);
    EXPECT_EQ(read_bytes(program() / "config.dat"), console().string() + "\r\n");
    EXPECT_EQ(w.console_path(), console().string());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(exit_code.has_value());

    const auto config_stamp = fs::last_write_time(program() / "config.dat");
    const auto material_stamp = fs::last_write_time(console() / "background01.vmt");
    open().Form_Activate();
    EXPECT_EQ(dialog.shown.size(), 1u) << "no second dialog";
    EXPECT_EQ(window->console_path(), console().string());
    EXPECT_EQ(fs::last_write_time(program() / "config.dat"), config_stamp);
    EXPECT_EQ(fs::last_write_time(console() / "background01.vmt"), material_stamp);
}

TEST_F(Startup, ACancelledDialogOrAGameWithoutCstrikeMaterialsEndsTheProgramWithItsMessage) {
    fs::create_directories(root.path() / "elsewhere");
    const struct {
        std::string answer, message;
    } cases[] = {{"", "Cant locate hl2.exe file. Quitting..."},
                 {(root.path() / "elsewhere" / "hl2.exe").string(), "Cant locate cstrike\\materials\\ folder. Quitting..."}};
    for (const auto& c : cases) {
        if (!c.answer.empty()) dialog.answer(c.answer);
        messages.shown.clear();
        exit_code.reset();
        auto& w = open();
        w.Form_Activate();
        EXPECT_EQ(messages.shown, std::vector<std::string>{c.message});
        EXPECT_TRUE(exit_code.has_value());
        EXPECT_TRUE(w.ended());
        EXPECT_EQ(w.console_path(), "");
        EXPECT_FALSE(fs::exists(program() / "config.dat"));
    }
}

TEST_F(Startup, AnActivationDuringTheFadeLocatesOnceAndTheCloseGlyphThenEndsWithoutADialog) {
    auto& w = open();
    w.show();
    during_yield = [&] {
        w.Form_Activate();
        if (yields == 5) w.end_program(0);
    };
    w.Form_Activate();
    EXPECT_EQ(exit_code, 0);
    EXPECT_TRUE(dialog.shown.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_LT(effects.opacities.size(), 10u);
}

}  // namespace
}  // namespace morvane::testing
