// morvane-cli as a user meets it: its commands, their output and exit codes, and clear refusals that leave
// nothing half-written. Which files the input layer, the texture reader and writer refuse and why, and where
// the game looks, are those layers' tests' business; here each command and each kind of refusal is seen once
// through the program.
#include "tests/app/core/fake_steam.h"
#include "tests/support/temp_folder.h"

#include <QImage>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using morvane::testing::read_bytes;
using ::testing::HasSubstr;

struct CliRun {
    int exit_code = -1;
    std::string out, err;  // standard output and error
    // The run failed with `code`, and its error says what it must.
    void refused(int code, const std::string& says) const {
        EXPECT_EQ(exit_code, code) << err;
        EXPECT_THAT(err, HasSubstr(says));
    }
};

class MorvaneCli : public ::testing::Test {
protected:
    MorvaneCli() { fs::create_directories(out); }

    // Runs morvane-cli with its output caught in files, as a shell would; with `home`, as that user (and
    // without XDG_DATA_HOME).
    CliRun run(const std::vector<std::string>& args, const fs::path& home = {}) const {
        auto quoted = [](const std::string& s) {
            std::string q = "'";
            for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
            return q + "'";
        };
        std::string command = home.empty() ? "" : "env -u XDG_DATA_HOME HOME=" + quoted(home.string()) + " ";
        command += "timeout 120 " + quoted(program.string());  // a hang fails, with status 124
        for (const auto& a : args) command += " " + quoted(a);
        command += " >" + quoted((root / "stdout.txt").string()) + " 2>" + quoted((root / "stderr.txt").string());
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_bytes(root / "stdout.txt"), read_bytes(root / "stderr.txt")};
    }
    CliRun make_1024(std::vector<std::string> more = {}) const {
        more.insert(more.begin(), {"make", "--size", "1024", "--out", out.string()});
        return run(more);
    }
    std::vector<std::string> names(const fs::path& folder) const {
        std::vector<std::string> found;
        for (const auto& e : fs::directory_iterator(folder)) found.push_back(e.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    const morvane::testing::TempFolder temp;
    fs::path program = MORVANE_CLI_PATH;
    const fs::path& root = temp.path();
    const fs::path out = root / "out";
    const fs::path texture = out / "background01.vtf";
};

// Makes whose bytes, not quality, a test checks take libsquish's fast range fit where the build has it.
#ifdef MORVANE_HAVE_SQUISH
const std::string kFastEncoder = "squish-range";
#else
const std::string kFastEncoder = "morvane";
#endif

const std::vector<std::string> kAllFour = {"background01.vmt", "background01.vtf", "background01_widescreen.vmt",
                                           "background01_widescreen.vtf"};

// Each step is shown, each file named, and the player's own material is kept and said to be; inspect reads
// the texture back.
TEST_F(MorvaneCli, MakeWritesBothShapesAndTellsWhatItDidAndInspectReadsTheTextureBack) {
    morvane::testing::write_bytes(out / "background01_widescreen.vmt", "mine");
    const CliRun made = run({"make", "--size", "2048", "--out", out.string(), "--encoder", kFastEncoder});
    ASSERT_EQ(made.exit_code, 0) << made.err;
    EXPECT_EQ(made.err, "");
    EXPECT_THAT(made.out, HasSubstr("built-in default picture"));
    for (int step = 1; step <= 12; ++step) EXPECT_THAT(made.out, HasSubstr(" " + std::to_string(step) + "/12"));
    EXPECT_THAT(made.out, HasSubstr("Kept " + (out / "background01_widescreen.vmt").string() + " as it was"));
    for (const char* name : {"background01.vmt", "background01.vtf", "background01_widescreen.vtf"})
        EXPECT_THAT(made.out, HasSubstr("Wrote " + (out / name).string()));
    EXPECT_EQ(names(out), kAllFour);

    const CliRun inspected = run({"inspect", texture.string()});
    EXPECT_EQ(inspected.exit_code, 0) << inspected.err;
    for (const char* line : {"version       7.1", "hiformat      15 (DXT5)", "mipmapcount   12", "The sizes add up"})
        EXPECT_THAT(inspected.out, HasSubstr(line));

    // When one shape cannot be written, the player is told which one was.
    fs::permissions(texture, fs::perms::all, fs::perm_options::remove);
    const CliRun refused = run({"make", "--size", "2048", "--out", out.string(), "--encoder", kFastEncoder});
    refused.refused(1, texture.string() + "\": the file is read-only");
    EXPECT_THAT(refused.err, HasSubstr("The same background was written to \"" + (out / "background01_widescreen.vtf").string()));
}

// The command line decodes JPEGs and PNGs itself; every other picture comes through Qt's decoders, which it
// loads only then. A copy of the program without them still takes JPEGs, and says what is missing.
TEST_F(MorvaneCli, OtherPicturesComeThroughQtsDecodersAndACopyWithoutThemSaysSo) {
    QImage picture(333, 251, QImage::Format_RGB32);
    picture.fill(qRgb(200, 120, 40));
    const fs::path bmp = root / "picture.bmp", jpeg = root / "picture.jpg";
    ASSERT_TRUE(picture.save(QString::fromStdString(bmp.string()), "BMP") && picture.save(QString::fromStdString(jpeg.string())));
    const CliRun made = make_1024({bmp.string(), "--only-standard"});
    EXPECT_EQ(made.exit_code, 0) << made.err;
    EXPECT_THAT(made.out, HasSubstr("picture.bmp (333 x 251)"));

    fs::create_directories(root / "alone");
    program = root / "alone" / "morvane-cli";
    fs::copy_file(MORVANE_CLI_PATH, program);
    EXPECT_EQ(make_1024({jpeg.string(), "--only-standard"}).exit_code, 0);
    make_1024({bmp.string()}).refused(1, "decoders for pictures other than JPEG and PNG are missing");
}

// A wrong command line gets the usage and status 2, a refusal of what it names status 1; both programs tell
// their version.
TEST_F(MorvaneCli, WrongCommandLinesGetTheUsageAndWhatCannotBeDoneIsRefusedWithItsReason) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"make", "--size", "512", "--out", out.string()}, {"make", "--out", out.string()},
          {"make", "--size", "1024"}, {"make", "--size", "1024", "--out", out.string(), "--encoder", "best"},
          {"make", "--size", "1024", "--out", out.string(), "--game", "auto"}, {"make", "--size", "1024", "--game"},
          {"where", "extra"}, {"convert", "x"}, {}})
        run(args).refused(2, "Usage:");
#ifndef MORVANE_HAVE_SQUISH
    for (const char* encoder : {"squish", "squish-range"})
        make_1024({"--encoder", encoder}).refused(2, std::string("this build has no libsquish, so --encoder ") + encoder);
#endif
    EXPECT_THAT(run({"--help"}).out, HasSubstr("morvane-cli make [PICTURE] --size 1024|2048 --out DIR"));
    const CliRun version = run({"--version"});
    EXPECT_TRUE(version.exit_code == 0 && version.out == "morvane-cli " MORVANE_VERSION "\n") << version.out;
    // The window's program answers before it needs a screen: no display is named at all here.
    const std::string window_program = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '") +
                                       MORVANE_PATH + "' --version >'" + (root / "version.txt").string() + "'";
    EXPECT_EQ(std::system(window_program.c_str()), 0);
    EXPECT_EQ(read_bytes(root / "version.txt"), "morvane " MORVANE_VERSION "\n");
    run({"make", "--size", "1024", "--out", (root / "no-such-folder").string()}).refused(1, "no-such-folder");
    run({"inspect", (root / "stdout.txt").string()}).refused(1, "not a VTF texture");
    EXPECT_TRUE(names(out).empty());
}

// `where` and `make --game` name the console folder, then what the game opens; a game is given as Steam's,
// its folder or one of its programs.
TEST_F(MorvaneCli, WhereAndMakeGameWriteWhereTodaysGameLooksFirst) {
    const morvane::testing::FakeSteam steam{root / "home"};
    steam.install();
    const CliRun before = run({"where"}, steam.home);
    EXPECT_EQ(before.exit_code, 0) << before.err;
    EXPECT_EQ(before.out.substr(0, before.out.find('\n')), steam.console().string());
    EXPECT_THAT(before.out, HasSubstr("\n  console/background01_widescreen: "));

    for (const fs::path& given : {fs::path("auto"), steam.game() / "cstrike_linux64", steam.game()}) {
        fs::remove_all(steam.game() / "cstrike" / "custom" / "morvane");
        const CliRun made = run({"make", "--size", "1024", "--game", given.string()}, steam.home);
        ASSERT_EQ(made.exit_code, 0) << given << ": " << made.err;
        EXPECT_EQ(names(steam.console()), kAllFour) << given;
        EXPECT_THAT(made.out, HasSubstr("From its next start, the game opens:\n  console/background01: Morvane's "));
    }
    EXPECT_EQ(names(steam.game() / "cstrike" / "custom"), std::vector<std::string>{"morvane"}) << "nothing else is touched";
}

TEST_F(MorvaneCli, NoSteamTwoInstallationsOrAFolderThatIsNoGameAreRefusedAndNothingIsWritten) {
    const fs::path home = root / "home";
    fs::create_directories(home);
    run({"where"}, home).refused(1, "no Counter-Strike: Source installation was found through Steam");

    const morvane::testing::FakeSteam steam{home};
    steam.install();
    const fs::path flatpak = home / ".var" / "app" / "com.valvesoftware.Steam" / ".local" / "share" / "Steam";
    const fs::path second_game = flatpak / "steamapps" / "common" / "Counter-Strike Source";
    morvane::testing::write_bytes(flatpak / "steamapps" / "appmanifest_240.acf",
                                 morvane::testing::app_manifest("Counter-Strike Source"));
    morvane::testing::FakeGame{second_game}.install_today();
    run({"make", "--size", "1024", "--game", "auto"}, home)
        .refused(1, "Steam knows of 2 Counter-Strike: Source installations:\n  " + steam.game().string() + "\n  " +
                        second_game.string() + "\nChoose one");
    run({"make", "--size", "1024", "--game", root.string()}, home).refused(1, "so it is not the folder of");
    run({"make", "--size", "1024", "--game", (root / "nowhere" / "cstrike_linux64").string()}, home).refused(1, "does not exist");
    EXPECT_FALSE(fs::exists(steam.console()) || fs::exists(second_game / "cstrike" / "custom" / "morvane"));
}

}  // namespace
