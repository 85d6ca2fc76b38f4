// The main window's logic as any host drives it: start-up, the picture, the resolution, the build and its
// progress window, the notice, the drag and the end.
#include "tests/app/forms/forms_fixture.h"

#include "app/core/console_files.h"
#include "app/core/settings_file.h"
#include "app/forms/game_location.h"
#include "tests/app/core/expected_materials.h"
#include "tests/app/core/fake_game.h"

#include <chrono>
#include <functional>

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

TEST_F(MainForm, AtLoadTheWindowIsRoundedAndTransparentWithTheBuiltInPictureAt1024AndBuildsNothingYet) {
    open();
    EXPECT_EQ(view.main_shell.regions, (std::vector<app::RoundRegion>{{0, 0, 820, 711, 20, 20}}));
    EXPECT_EQ(view.main_shell.opacities, std::vector<int>{0});
    EXPECT_EQ(form->elcombo1().list().entries(), (std::vector<std::string>{"1024 x 1024", "2048 x 2048"}));
    EXPECT_EQ(form->elcombo1().GetListIndex(), 0);
    EXPECT_EQ(form->Picture1().width_pixels(), 1024);
    EXPECT_EQ(form->Picture2().width_pixels(), 1024);
    EXPECT_EQ(form->Picture2().height_pixels(), 1024);
    form->make_background();  // before the game is located: nowhere to write
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("game folder"), std::string::npos) << messages.shown[0];
    EXPECT_EQ(view.progress_windows, 0);
}

TEST_F(MainForm, AFirstStartFadesInAsksForTheGameAndStoresItsFolderAndBothMaterials) {
    dialog.answer(exe());
    open().Form_Activate();
    std::vector<int> fade(232);  // 0 at load, then 0 .. 230 one step at a time
    std::iota(fade.begin() + 1, fade.end(), 0);
    EXPECT_EQ(view.main_shell.opacities, fade);
    ASSERT_EQ(dialog.shown.size(), 1u);
#ifdef _WIN32
    EXPECT_EQ(dialog.shown[0].title, "Locate Your cstrike.exe or hl2.exe file.");
    EXPECT_EQ(dialog.shown[0].filter,
              "The game's program (cstrike.exe cstrike_win64.exe hl2.exe)|cstrike.exe;cstrike_win64.exe;hl2.exe");
#else
    EXPECT_EQ(dialog.shown[0].title, "Locate Your cstrike.sh or hl2.sh file.");
    EXPECT_EQ(dialog.shown[0].filter,
              "The game's program (cstrike.sh cstrike_linux64 hl2.sh hl2_linux cstrike.exe cstrike_win64.exe hl2.exe)"
              "|cstrike.sh;cstrike_linux64;hl2.sh;hl2_linux;cstrike.exe;cstrike_win64.exe;hl2.exe");
#endif
    EXPECT_EQ(dialog.shown[0].folder, "") << "no Steam: the system picks where the dialog opens";
    EXPECT_EQ(app::read_config(program()).value, console_utf8());
    const std::string stored = bytes_of(program() / "config.dat");
    EXPECT_EQ(stored.find("\r\n"), stored.size() - 2) << "one line, ended by CR LF";
    EXPECT_EQ(bytes_of(console() / "background01.vmt"), kStandardMaterial);
    EXPECT_EQ(bytes_of(console() / "background01_widescreen.vmt"), kWidescreenMaterial);
    EXPECT_TRUE(messages.shown.empty());
}

// Later starts. A config.dat naming the console folder (or, hand-edited, that folder relative to config.dat,
// wherever Morvane was started from) is used silently and nothing is written; an empty one, or one naming a
// file where the folder belongs, asks for the game again and is rewritten. The console folder is there
// already, so its missing materials are not written either.
TEST_F(MainForm, ALaterStartUsesTheStoredFolderSilentlyAndAnEmptyConfigDatOrOneNamingAFileAsksAgain) {
    fs::create_directories(console());
    write_bytes(console() / "background01.vtf", "a texture");
    const fs::path config = program() / "config.dat", started_in = fs::current_path();
    const struct {
        std::string stored;
        bool asks;
    } cases[] = {
        {app::encode_config_line(console_utf8()), false},
        {app::encode_config_line("../" + app::utf8_from_path(game().filename()) + "/cstrike/materials/console"), false},
        {"", true},
        {app::encode_config_line(app::utf8_from_path(console() / "background01.vtf")), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        write_bytes(config, c.stored);
        fs::last_write_time(config, fs::file_time_type::clock::now() - std::chrono::hours(24));
        const auto long_ago = fs::last_write_time(config);  // as the file system keeps it
        dialog.shown.clear();
        if (c.asks) dialog.answer(exe());
        fs::current_path(console());  // anywhere but the program's folder
        open().Form_Activate();
        fs::current_path(started_in);
        EXPECT_EQ(dialog.shown.size(), c.asks ? 1u : 0u);
        EXPECT_TRUE(fs::equivalent(app::path_from_utf8(form->console_path()), console()));
        if (!c.asks) {
            EXPECT_EQ(fs::last_write_time(config), long_ago) << "config.dat is not rewritten";
        }
        EXPECT_FALSE(fs::exists(console() / "background01.vmt") || fs::exists(console() / "background01_widescreen.vmt"));
    }
}

TEST_F(MainForm, EachFailureShowsItsMessageAndEndsTheProgramButAnUnwritableConfigDatOnlyWarns) {
    const fs::path materials = game() / "cstrike" / "materials";
    auto disk_full = [](const char* which) -> app::MaterialWriter {
        return [which](const std::string& folder, const app::ConsoleBackground& background) {
            if (std::string(background.material_file) != which) return app::write_material(folder, background);
            return Outcome::failed("Could not write the material file \"" + folder + "/" + which + "\": disk full.");
        };
    };
    const struct {
        std::string answer, said;
        std::function<void()> fault;
        bool ends = true;
    } cases[] = {
        {"", app::kNoGameProgram, [] {}},
        {app::utf8_from_path(root.path() / "hl2.exe"), app::kNoMaterialsFolder, [] {}},
        {exe(), "Could not create the folder " + console_utf8() + ": ",
         [&] { fs::remove(materials); write_bytes(materials, "a file, so nothing goes inside"); }},
        {exe(), "Could not write the material file \"" + console_utf8() + "/background01.vmt\": disk full.\nCheck",
         [&] { services.write_vmt = disk_full("background01.vmt"); }},
        {exe(), "Could not write the material file \"" + console_utf8() + "/background01_widescreen.vmt\": disk full.\nCheck",
         [&] { services.write_vmt = disk_full("background01_widescreen.vmt"); }},
        {exe(), "Could not write " + app::utf8_from_path(program() / "config.dat") + ": ",  // a folder: unreadable too
         [&] { fs::create_directory(program() / "config.dat"); }, false},
    };
    for (const auto& c : cases) {
        fs::remove_all(root.path());
        fs::create_directories(materials);
        fs::create_directories(program());
        services.write_vmt = app::write_material;
        messages.shown.clear();
        exit_code.reset();
        c.fault();
        dialog.answer(c.answer);
        open().Form_Activate();
        ASSERT_EQ(messages.shown.size(), 1u) << c.said;
        const std::string& said = messages.shown[0];
        EXPECT_EQ(said.rfind(c.said, 0), 0u) << said;
        EXPECT_EQ(said.ends_with("Quitting..."), c.ends) << said;
        EXPECT_EQ(exit_code.has_value() && form->ended(), c.ends) << said;
        EXPECT_EQ(form->console_path(), c.ends ? "" : console_utf8()) << "the session goes on with the folder found";
        EXPECT_EQ(fs::is_directory(console()), !c.ends) << "no half-made console folder";
        EXPECT_EQ(fs::exists(program() / "config.dat"), !c.ends) << said;
    }
}

// Today's game reads cstrike/custom/* before its VPKs and its loose folder: the textures go there, whichever
// of its programs is chosen, and the build says that the game shows them, or which pack wins instead. Where
// Steam knows the game, the dialog opens in its folder with nothing chosen behind the player's back.
TEST_F(MainForm, OnTodaysGameTheBackgroundGoesIntoTheCustomFolderAndTheBuildSaysWhatTheGameOpens) {
    const FakeGame today{root.path() / "today"};
    today.install_today();
    services.find_games = [&] { return std::vector<std::string>{app::utf8_from_path(today.folder)}; };  // as Steam would
    for (const char* chosen : {"cstrike_win64.exe", "cstrike.sh"}) {
        fs::remove(program() / "config.dat");
        dialog.answer(app::utf8_from_path(today.folder / chosen));
        open().Form_Activate();
        EXPECT_EQ(form->console_path(), app::utf8_from_path(today.custom_console())) << chosen;
        EXPECT_EQ(dialog.shown.back().folder, app::utf8_from_path(today.folder));
        EXPECT_EQ(dialog.shown.back().file_name_before, "");
    }
    EXPECT_EQ(app::read_config(program()).value, app::utf8_from_path(today.custom_console()));
    EXPECT_EQ(bytes_of(today.custom_console() / "background01.vmt"), kStandardMaterial);
    EXPECT_FALSE(fs::exists(today.loose_console()));

    form->make_background();
    EXPECT_EQ(form->controls().at(app::main_rows::Label4).label.caption.rfind("Made for the game's next start (1024 x 1024):", 0), 0u);
    EXPECT_TRUE(messages.shown.empty());
    today.add_pack("aaa");
    form->make_background();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("the game opens another file:\nconsole/background01: " +
                                     (fs::path("cstrike") / "custom" / "aaa").string()),
              std::string::npos)
        << messages.shown[0];
    EXPECT_EQ(form->controls().at(app::main_rows::Label4).label.caption.rfind("Background made (1024 x 1024):", 0), 0u);
}

// A config.dat from before names the loose console folder, which today's game never shows: the next start
// moves to the custom folder without asking, and leaves the old folder and its files alone.
TEST_F(MainForm, AnOldConfigDatOfTodaysGameFollowsItIntoTheCustomFolder) {
    const FakeGame today{root.path() / "today"};
    today.install_today();
    write_bytes(today.loose_console() / "background01.vtf", "an old build");
    ASSERT_TRUE(app::write_config(program(), app::utf8_from_path(today.loose_console())).ok);
    open().Form_Activate();
    EXPECT_TRUE(dialog.shown.empty());
    EXPECT_EQ(form->console_path(), app::utf8_from_path(today.custom_console()));
    EXPECT_EQ(app::read_config(program()).value, form->console_path());
    EXPECT_EQ(bytes_of(today.custom_console() / "background01_widescreen.vmt"), kWidescreenMaterial);
    EXPECT_EQ(bytes_of(today.loose_console() / "background01.vtf"), "an old build");
}

// The system's Close and a session's end come while the build yields; ending then would free what it uses.
TEST_F(MainForm, ACloseDuringABuildIsToldAndEndsTheProgramOnceBothTexturesAreWritten) {
    open_located();
    during_yield = [this] {
        form->end_program(0);
        EXPECT_FALSE(exit_code.has_value()) << "not while the build runs";
        EXPECT_NE(form->controls().at(app::main_rows::Label4).label.caption.find("closes as soon as"), std::string::npos);
    };
    form->make_background();
    EXPECT_EQ(exit_code, 0);
    EXPECT_TRUE(fs::exists(console() / "background01_widescreen.vtf"));
}

TEST_F(MainForm, ABuildRunsTheBarOnceThroughTheLevelsWritesBothShapesAndGivesInputAndFocusBack) {
    open_located();
    view.focused = int(app::main_rows::elboton2);
    form->make_background();
    EXPECT_EQ(view.progress_windows, 1);
    EXPECT_FALSE(view.progress.has_value()) << "unloaded afterwards";
    EXPECT_EQ(view.bar_max, 11);
    EXPECT_EQ(view.bar_values.back(), 11);
    EXPECT_EQ(view.input, (std::vector<bool>{false, true}));
    EXPECT_EQ(view.focused, int(app::main_rows::elboton2));
    ASSERT_TRUE(fs::exists(console() / "background01.vtf"));
    EXPECT_EQ(bytes_of(console() / "background01.vtf"), bytes_of(console() / "background01_widescreen.vtf"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(form->notice_shown());
    EXPECT_EQ(view.notice_timer, app::kNoticeMilliseconds) << "the notice hides itself after its few seconds";
    EXPECT_NE(form->controls().at(app::main_rows::Label4).label.caption.find("1024 x 1024"), std::string::npos);
    form->hide_notice();
    EXPECT_FALSE(form->notice_shown());
    EXPECT_EQ(view.notice_timer, 0);
    view.focused = -1;
    form->make_background();
    EXPECT_EQ(view.focused, int(app::main_rows::elcombo1)) << "no control had it: the list takes it";
}

// A console folder set up by an earlier version has no widescreen material yet; the player's own stays; a
// folder in its place is reported and both textures are still written.
TEST_F(MainForm, ABuildWritesAMissingWidescreenMaterialKeepsThePlayersOwnAndReportsAFolderInItsPlace) {
    open_located();
    const fs::path material = console() / "background01_widescreen.vmt";
    const struct {
        std::function<void()> before;
        std::string after, said;
    } cases[] = {
        {[&] { fs::remove(material); }, kWidescreenMaterial, ""},
        {[&] { write_bytes(material, "my own material"); }, "my own material", ""},
        {[&] { fs::remove(material), fs::create_directory(material); }, "", "a folder of that name is in the way"},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        c.before();
        form->make_background();
        if (!c.after.empty()) {
            EXPECT_EQ(bytes_of(material), c.after);
        }
        ASSERT_EQ(messages.shown.size(), c.said.empty() ? 0u : 1u);
        if (!c.said.empty()) {
            EXPECT_NE(messages.shown[0].find(c.said), std::string::npos) << messages.shown[0];
        }
        EXPECT_TRUE(fs::exists(console() / "background01.vtf") && fs::exists(console() / "background01_widescreen.vtf"));
    }
}

// Load Picture asks with its title and filter; a cancel changes nothing, a picture that cannot be read is told
// and the previous one stays; a new resolution rescales the loaded picture, not the earlier copy.
TEST_F(MainForm, LoadPictureAsksAndKeepsThePreviousPictureUnlessANewOneIsReadAndTheResolutionRescalesIt) {
    open_located();
    const uint64_t before = form->Picture2().image().generation();
    form->load_picture();
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].title, "Load Picture...");
    EXPECT_TRUE(dialog.shown[0].filter.starts_with("Picture File(*.bmp,*.jpg)|*.bmp;*.jpg|")) << dialog.shown[0].filter;
    form->load_picture_file("cut.jpg");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("cut.jpg"), std::string::npos);
    EXPECT_EQ(form->Picture2().image().generation(), before);
    pictures["wide.bmp"] = Image32(1600, 900, Bgra{10, 20, 30, 255});
    form->load_picture_file("wide.bmp");
    EXPECT_EQ(form->Picture1().width_pixels(), 1600);
    form->elcombo1().SetListIndex(1);
    EXPECT_EQ(form->Picture2().width_pixels(), 2048);
    EXPECT_EQ(form->Picture2().image().pixel(2047, 2047), (Bgra{10, 20, 30, 255}));
    form->make_background();
    EXPECT_EQ(view.bar_max, 12);
}

// `morvane PICTURE`: the picture waits for the game; a start the player cancels never opens it.
TEST_F(MainForm, APictureGivenAtStartIsLoadedOnceTheGameIsLocatedAndNeverWhenTheStartIsCancelled) {
    pictures["wide.bmp"] = Image32(1600, 900, Bgra{10, 20, 30, 255});
    for (const bool located : {true, false}) {
        fs::remove(program() / "config.dat");
        if (located) dialog.answer(exe());
        open().load_at_start("wide.bmp");
        EXPECT_EQ(form->Picture1().width_pixels(), 1024) << "not before the start-up steps";
        form->Form_Activate();
        EXPECT_EQ(form->Picture1().width_pixels(), located ? 1600 : 1024);
        EXPECT_EQ(form->Picture2().width_pixels(), 1024);
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], app::kNoGameProgram) << "only the cancel is told";
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
