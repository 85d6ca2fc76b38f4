// The first activation: fade-in, config.dat, the hl2.exe dialog and the ways the program ends; the title
// line and the close glyph.
#include "main_window_fixture.h"
#include "tests/app/core/expected_materials.h"
#include "tests/app/core/fake_steam.h"

#include "platform/qt/screen_metrics.h"

#include <chrono>

namespace morvane::testing {
namespace {

using Startup = MainWindowTest;

// The outline, the fade, the dialog and the files of a first start are the window's logic
// (tests/app/forms); the Qt window applies the outline as its mask.
TEST_F(Startup, TheWindowsMaskCutsAwayItsRoundedCorners) {
    auto& w = open();
    EXPECT_FALSE(w.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(w.mask().contains(QPoint(10, 0)));
    EXPECT_TRUE(w.mask().contains(QPoint(819, 700)));
}

// Later starts. A config.dat naming the console folder (or, hand-edited, that folder relative to config.dat,
// wherever Morvane was started from) is used silently and nothing is written; an empty one, or one naming a
// file where the folder belongs, asks for hl2.exe again and is rewritten. The console folder is there
// already, so its missing materials are not written either.
TEST_F(Startup, ALaterStartUsesTheStoredFolderSilentlyAndAnEmptyConfigDatOrOneNamingAFileAsksAgain) {
    fs::create_directories(console());
    write_bytes(texture_file(), "a texture");
    const fs::path config = program() / "config.dat", started_in = fs::current_path();
    const struct {
        std::string stored;
        bool asks;
    } cases[] = {
        {console().string() + "\r\n", false},
        {"../" + game().filename().string() + "/cstrike/materials/console\r\n", false},
        {"", true},
        {texture_file().string() + "\r\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        write_bytes(config, c.stored);
        const auto long_ago = fs::file_time_type::clock::now() - std::chrono::hours(24);
        fs::last_write_time(config, long_ago);
        dialog.shown.clear();
        if (c.asks) dialog.answer(exe());
        fs::current_path(console());  // anywhere but the program's folder
        open().Form_Activate();
        fs::current_path(started_in);
        EXPECT_EQ(dialog.shown.size(), c.asks ? 1u : 0u);
        EXPECT_EQ(window->console_path(), console().string());
        if (c.asks) {
            EXPECT_EQ(read_bytes(config), console().string() + "\r\n");
        } else {
            EXPECT_EQ(fs::last_write_time(config), long_ago) << "config.dat is not rewritten";
        }
        EXPECT_FALSE(fs::exists(console() / "background01.vmt") ||
                     fs::exists(console() / "background01_widescreen.vmt"));
    }
}

TEST_F(Startup, EachFailureShowsItsMessageAndEndsTheProgramButAnUnwritableConfigDatOnlyWarns) {
    const fs::path materials = game() / "cstrike" / "materials";
    auto disk_full = [](const char* which) -> app::MaterialWriter {
        return [which](const std::string& folder, const app::ConsoleBackground& background) {
            if (std::string(background.material_file) != which) return app::write_material(folder, background);
            return morvane::Outcome::failed("Could not write the material file \"" + folder + "/" + which +
                                            "\": disk full.");
        };
    };
    const struct {
        std::string answer, said;
        std::function<void()> fault;
        bool ends = true;
    } cases[] = {
        {"", app::kNoGameProgram, [] {}},
        {(root.path() / "hl2.exe").string(), app::kNoMaterialsFolder, [] {}},
        {exe(), "Could not create the folder " + console().string() + ": ",
         [&] { fs::remove(materials); write_bytes(materials, "a file, so nothing goes inside"); }},
        {exe(), "Could not write the material file \"" + console().string() + "/background01.vmt\": disk full.\nCheck",
         [&] { services.write_vmt = disk_full("background01.vmt"); }},
        {exe(), "Could not write the material file \"" + console().string() + "/background01_widescreen.vmt\": disk full.\nCheck",
         [&] { services.write_vmt = disk_full("background01_widescreen.vmt"); }},
        {exe(), "Could not write " + (program() / "config.dat").string() + ": ",  // a folder: unreadable too
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
        auto& w = open();
        w.Form_Activate();
        ASSERT_EQ(messages.shown.size(), 1u) << c.said;
        const std::string& said = messages.shown[0];
        EXPECT_EQ(said.rfind(c.said, 0), 0u) << said;
        EXPECT_EQ(said.ends_with("Quitting..."), c.ends) << said;
        EXPECT_EQ(exit_code.has_value() && w.ended(), c.ends) << said;
        EXPECT_EQ(w.console_path(), c.ends ? "" : console().string()) << "the session goes on with the folder found";
        EXPECT_EQ(fs::is_directory(console()), !c.ends) << "no half-made console folder";
        EXPECT_EQ(fs::exists(program() / "config.dat"), !c.ends) << said;
    }
}

TEST_F(Startup, WithSteamTheDialogOpensInTheGameFolderItFoundAndThePlayerConfirmsWithHl2Linux) {
    FakeSteam steam{root.path() / "home"};
    steam.install();
    services.find_games = [&] {
        std::vector<std::string> games;
        for (const auto& game : app::find_counter_strike_source(steam.surroundings()).game_folders)
            games.push_back(game.string());
        return games;
    };
    dialog.answer((steam.game() / "hl2_linux").string());
    auto& w = open();
    w.Form_Activate();
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].folder, steam.game().string());
    EXPECT_EQ(dialog.shown[0].file_name_before, "") << "nothing is chosen behind the player's back";
    EXPECT_EQ(w.console_path(), steam.console().string());
    EXPECT_EQ(read_bytes(program() / "config.dat"), steam.console().string() + "\r\n");
    EXPECT_EQ(read_bytes(steam.console() / "background01_widescreen.vmt"), kWidescreenMaterial);

    dialog.answer("");  // the picture dialog opens where the system likes, not in the game folder
    w.load_picture();
    EXPECT_EQ(dialog.shown.back().folder, "");
}

TEST_F(Startup, AnActivationDuringTheFadeLocatesOnceAndTheCloseGlyphThenEndsWithoutADialog) {
    auto& w = open();
    w.show();
    during_yield = [&] {
        w.Form_Activate();
        if (yields == 5) click(w.controls().find("Label2"));
    };
    w.Form_Activate();
    EXPECT_EQ(exit_code, 0);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(dialog.shown.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_LT(effects.opacities.size(), 10u);
}

// The drag's arithmetic is the window effects' (tests/app/forms); here the mouse on the Qt title line.
TEST_F(Startup, ADragFromAnywhereOnTheTitleMovesTheWindowByExactlyTheCursorsMovementAt15And12TwipsPerPixel) {
    // A recorded cursor path, relative to where the button went down: small steps, a long jump, back past
    // the start and off the top-left of the screen.
    const QPoint path[] = {{1, 0}, {1, 1}, {4, -3}, {250, 120}, {-37, -5}, {-400, -300}, {0, 0}};
    for (const morvane::TwipsPerPixel screen : {morvane::TwipsPerPixel{15, 15}, morvane::TwipsPerPixel{12, 12}}) {
        morvane::ScopedTwipsPerPixel ratios(screen);
        auto& w = open();
        w.move(300, 200);
        QWidget* title = w.controls().find("Label1");
        const QRect inside = title->rect();
        for (const QPoint grab : {inside.topLeft(), inside.center(), inside.bottomRight(), QPoint(1, inside.bottom())}) {
            const QPoint window_at = w.pos();
            const QPoint pressed_at = window_at + title->pos() + grab;  // the cursor on the screen
            cursor.position = pressed_at;
            send_mouse(title, QEvent::MouseButtonPress, grab);
            for (const QPoint moved : path) {
                cursor.position = pressed_at + moved;
                send_mouse(title, QEvent::MouseMove, grab + moved);
                EXPECT_EQ(w.pos(), window_at + moved) << "grab " << grab.x() << "," << grab.y() << " at "
                                                      << screen.x << " twips per pixel";
            }
            send_mouse(title, QEvent::MouseButtonRelease, grab);
            const QPoint released_at = w.pos();
            cursor.position = QPoint(900, 900);
            send_mouse(title, QEvent::MouseMove, grab);
            EXPECT_EQ(w.pos(), released_at) << "no move after release";
        }
    }
}

}  // namespace
}  // namespace morvane::testing
