// morvane-cli as a user meets it: a large photograph in, a texture every VTF reader accepts out, and
// clear refusals that leave nothing half-written.
#include "tests/app/core/expected_materials.h"
#include "tests/app/core/fake_steam.h"
#include "tests/support/temp_folder.h"

#include <QImage>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;
using morvane::testing::kStandardMaterial;
using morvane::testing::kWidescreenMaterial;

std::string read_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct CliRun {
    int exit_code = -1;
    std::string out, err;  // standard output and error
};

// A 3840 x 2400 JPEG photograph stand-in: smooth colour waves with fine detail, made once per test program.
const fs::path kPhotograph = fs::temp_directory_path() / ("morvane-cli-photo-" + std::to_string(::getpid()) + ".jpg");
const fs::path& large_photograph() {
    static const bool made = [] {
        QImage image(3840, 2400, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(int(127 + 100 * std::sin(x / 300.0) + 20 * std::sin((x + y) / 7.0)),
                                          int(127 + 100 * std::cos(y / 200.0)), (x * 255 / 3839 + (x ^ y) % 16) & 255));
        return image.save(QString::fromStdString(kPhotograph.string()), "JPG", 90);
    }();
    EXPECT_TRUE(made);
    return kPhotograph;
}

class MorvaneCli : public ::testing::Test {
protected:
    MorvaneCli() { fs::create_directories(out); }
    static void TearDownTestSuite() { fs::remove(kPhotograph); }

    // Runs morvane-cli with its output caught in files, as a shell would; with `home`, as that user (and
    // without XDG_DATA_HOME).
    CliRun run(const std::vector<std::string>& args, const fs::path& home = {}) const {
        auto quoted = [](const std::string& s) {
            std::string q = "'";
            for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
            return q + "'";
        };
        std::string command = home.empty() ? "" : "env -u XDG_DATA_HOME HOME=" + quoted(home.string()) + " ";
        command += "timeout 120 " + quoted(MORVANE_CLI_PATH);  // a hang fails, with status 124
        for (const auto& a : args) command += " " + quoted(a);
        command += " >" + quoted((root / "stdout.txt").string()) + " 2>" + quoted((root / "stderr.txt").string());
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_text(root / "stdout.txt"), read_text(root / "stderr.txt")};
    }
    std::vector<std::string> out_names(const fs::path& folder = {}) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder.empty() ? out : folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    const morvane::testing::TempFolder temp;
    const fs::path& root = temp.path();
    const fs::path out = root / "out";
    const fs::path texture = out / "background01.vtf";
};

const std::vector<std::string> kAllFour = {"background01.vmt", "background01.vtf", "background01_widescreen.vmt",
                                           "background01_widescreen.vtf"};

// The 3840 x 2400 photograph has the shape of a 16:10 wallpaper.
TEST_F(MorvaneCli, MakeTurnsALargePhotographIntoTexturesForBothScreenShapesThatInspectAcceptsAtBothSizes) {
    for (const auto& [side, bytes, levels] : {std::tuple{"1024", 1398320u, "mipmapcount   11"},
                                              std::tuple{"2048", 5592624u, "mipmapcount   12"}}) {
        const CliRun made = run({"make", large_photograph().string(), "--size", side, "--out", out.string(), "--encoder",
                                 "squish-range"});
        ASSERT_EQ(made.exit_code, 0) << made.err;
        EXPECT_EQ(made.err, "");
        EXPECT_NE(made.out.find("3840 x 2400"), std::string::npos) << made.out;
        EXPECT_EQ(fs::file_size(texture), bytes);
        EXPECT_TRUE(read_text(out / "background01_widescreen.vtf") == read_text(texture));
        EXPECT_EQ(read_text(out / "background01.vmt"), kStandardMaterial);
        EXPECT_EQ(read_text(out / "background01_widescreen.vmt"), std::string(side) == "1024" ? kWidescreenMaterial : "mine");
        for (const std::string& name : kAllFour)
            EXPECT_NE(made.out.find((out / name).string()), std::string::npos) << name << " not named in\n" << made.out;
        std::ofstream(out / "background01_widescreen.vmt", std::ios::binary) << "mine";  // the player's own, from now on

        const CliRun inspected = run({"inspect", texture.string()});
        EXPECT_EQ(inspected.exit_code, 0) << inspected.err;
        EXPECT_NE(inspected.out.find("version       7.1"), std::string::npos) << inspected.out;
        EXPECT_NE(inspected.out.find("hiformat      15 (DXT5)"), std::string::npos);
        EXPECT_NE(inspected.out.find(levels), std::string::npos);
        EXPECT_NE(inspected.out.find("low-res              64          128  16 x 16"), std::string::npos);
        EXPECT_NE(inspected.out.find("The sizes add up"), std::string::npos);
    }
    EXPECT_EQ(out_names(), kAllFour);
}

TEST_F(MorvaneCli, MakeWithoutAPictureUsesTheBuiltInOneKeepsThePlayersMaterialsAndInspectRefusesWhatIsNoWholeTexture) {
    std::ofstream(out / "background01.vmt", std::ios::binary) << "mine";
    std::ofstream(out / "background01_widescreen.vmt", std::ios::binary) << "mine too";
    std::ofstream(texture, std::ios::binary) << std::string(6000000, 'x');
    const CliRun made = run({"make", "--size", "1024", "--out", out.string()});
    ASSERT_EQ(made.exit_code, 0) << made.err;
    EXPECT_NE(made.out.find("built-in default picture"), std::string::npos) << made.out;
    for (int step = 1; step <= 11; ++step)
        EXPECT_NE(made.out.find(" " + std::to_string(step) + "/11"), std::string::npos) << step;
    EXPECT_EQ(fs::file_size(texture), 1398320u);  // the longer file replaced
    EXPECT_EQ(read_text(out / "background01.vmt"), "mine");
    EXPECT_EQ(read_text(out / "background01_widescreen.vmt"), "mine too");
    EXPECT_NE(made.out.find("Kept " + (out / "background01_widescreen.vmt").string() + " as it was"), std::string::npos)
        << made.out;

    const fs::path standard_only = root / "standard";
    fs::create_directories(standard_only);
    const CliRun standard = run({"make", "--size", "1024", "--only-standard", "--out", standard_only.string()});
    ASSERT_EQ(standard.exit_code, 0) << standard.err;
    EXPECT_EQ(out_names(standard_only), (std::vector<std::string>{"background01.vmt", "background01.vtf"}));
    EXPECT_TRUE(read_text(standard_only / "background01.vtf") == read_text(texture));

    const std::string whole = read_text(texture);
    std::ofstream(root / "short.vtf", std::ios::binary) << whole.substr(0, whole.size() - 100);
    for (const auto& [file, why] : {std::pair{root / "short.vtf", "do not add up: header and blocks need 1398320 bytes"},
                                    {out / "background01.vmt", "not a VTF texture"}, {root / "none.vtf", "none.vtf"}}) {
        const CliRun r = run({"inspect", file.string()});
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
    }
}

// What an attacker or a careless user hands over: each gets its reason at once, no hang, no crash.
TEST_F(MorvaneCli, FoldersFifosDevicesHugeFilesAndLyingHeadersAreRefusedAtOnceWithTheirReason) {
    ASSERT_EQ(run({"make", "--size", "1024", "--out", out.string()}).exit_code, 0);
    std::string header = read_text(texture).substr(0, 64);
    ASSERT_EQ(::mkfifo((root / "pipe").c_str(), 0600), 0);  // nobody ever writes into it
    std::ofstream(root / "huge.vtf", std::ios::binary) << header;
    fs::resize_file(root / "huge.vtf", uint64_t(1) << 30);  // 1 GiB, sparse: only the header is ever read
    header[56] = 33;  // a level count whose sizes would shift past their width
    std::ofstream(root / "levels.vtf", std::ios::binary) << header;
    const std::vector<std::pair<std::string, std::string>> refused{
          {root.string(), "it is a folder"}, {(root / "pipe").string(), "not an ordinary file"},
          {"/dev/zero", "not an ordinary file"}, {(root / std::string(300, 'n')).string(), "too long for the system"},
          {(root / "huge.vtf").string(), "need 1398320 bytes, but \"" + (root / "huge.vtf").string() + "\" has 1073741824"},
          {(root / "levels.vtf").string(), "claims 33 mip levels, but a 1024 x 1024 texture has at most 11"}};
    for (const auto& [file, why] : refused) {
        const CliRun r = run({"inspect", file});
        EXPECT_EQ(r.exit_code, 1) << file;
        EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
    }
    CliRun made = run({"make", (root / "pipe").string(), "--size", "1024", "--out", out.string()});
    EXPECT_EQ(made.exit_code, 1);
    EXPECT_NE(made.err.find("is not an ordinary file"), std::string::npos) << made.err;
    const fs::path too_long = out / std::string(300, 'o');
    made = run({"make", "--size", "1024", "--out", too_long.string()});
    EXPECT_EQ(made.exit_code, 1);
    EXPECT_NE(made.err.find("cannot be used: its name is too long for the system"), std::string::npos) << made.err;
}

// A picture named in bytes that are no UTF-8 loads; a make killed earlier left its temporary file, which goes.
TEST_F(MorvaneCli, APictureNameInLatin1BytesLoadsAndTheLeftoverOfAKilledMakeIsRemoved) {
    const fs::path picture = root / std::string("paisaje-\xF1.bmp");
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(QString::fromStdString((root / "plain.bmp").string()), "BMP"));
    fs::rename(root / "plain.bmp", picture);
    std::ofstream(out / "background01.vtf.deadbeef.tmp") << "cut off";
    const CliRun made = run({"make", picture.string(), "--size", "1024", "--out", out.string()});
    ASSERT_EQ(made.exit_code, 0) << made.err;
    EXPECT_NE(made.out.find("(64 x 48)"), std::string::npos) << made.out;
    for (const std::string& name : out_names()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
    EXPECT_TRUE(fs::exists(out / "background01.vtf"));
}

TEST_F(MorvaneCli, WrongCommandLinesAMissingFolderOrAReadOnlyTextureAreRefusedAndWriteNothing) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"make", "--size", "512", "--out", out.string()}, {"make", "--out", out.string()},
          {"make", "--size", "1024"}, {"make", "--size", "1024", "--out", out.string(), "--encoder", "best"},
          {"make", "--size", "1024", "--out", out.string(), "--game", "auto"}, {"make", "--size", "1024", "--game"},
          {"where", "extra"},
          {"convert", "x"}, {}}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.exit_code, 2);
        EXPECT_NE(r.err.find("Usage:"), std::string::npos) << r.err;
    }
    EXPECT_NE(run({"--help"}).out.find("morvane-cli make [PICTURE] --size 1024|2048 --out DIR"), std::string::npos);
    CliRun made = run({"make", "--size", "1024", "--out", (root / "no-such-folder").string()});
    EXPECT_EQ(made.exit_code, 1);
    EXPECT_NE(made.err.find((root / "no-such-folder").string()), std::string::npos) << made.err;

    const std::string old(2000000, 'o');
    std::ofstream(texture, std::ios::binary) << old;
    fs::permissions(texture, fs::perms::all, fs::perm_options::remove);
    made = run({"make", "--size", "1024", "--out", out.string(), "--encoder", "squish-range"});
    EXPECT_EQ(made.exit_code, 1);
    EXPECT_NE(made.err.find(texture.string() + "\": the file is read-only"), std::string::npos) << made.err;
    EXPECT_NE(made.err.find("The same background was written to \"" + (out / "background01_widescreen.vtf").string()),
              std::string::npos)
        << made.err;
    EXPECT_EQ(read_text(texture), old);
    EXPECT_EQ(out_names(), (std::vector<std::string>{"background01.vtf", "background01_widescreen.vmt",
                                                     "background01_widescreen.vtf"}))
        << "the shape that was written has its material; no temporary file stays";
}

TEST_F(MorvaneCli, WhereAndMakeGameFindTheGameInASecondSteamLibraryAndFillItsConsoleFolder) {
    const morvane::testing::FakeSteam steam{root / "home"};
    steam.install();
    const CliRun where = run({"where"}, steam.home);
    EXPECT_EQ(where.exit_code, 0) << where.err;
    EXPECT_EQ(where.out, steam.console().string() + "\n");

    for (const std::string& game : {std::string("auto"), (steam.game() / "hl2_linux").string(), steam.game().string()}) {
        fs::remove_all(steam.console());
        const CliRun made = run({"make", "--size", "1024", "--game", game}, steam.home);
        ASSERT_EQ(made.exit_code, 0) << game << ": " << made.err;
        EXPECT_EQ(out_names(steam.console()), kAllFour) << game;
        EXPECT_EQ(read_text(steam.console() / "background01_widescreen.vmt"), kWidescreenMaterial);
        EXPECT_EQ(fs::file_size(steam.console() / "background01_widescreen.vtf"), 1398320u);
    }
}

TEST_F(MorvaneCli, NoSteamTwoInstallationsOrAFolderThatIsNoGameAreRefusedAndNothingIsWritten) {
    const fs::path home = root / "home";
    fs::create_directories(home);
    const CliRun where = run({"where"}, home);
    EXPECT_EQ(where.exit_code, 1);
    EXPECT_EQ(where.out, "");
    EXPECT_NE(where.err.find("no Counter-Strike: Source installation was found through Steam"), std::string::npos)
        << where.err;
    const CliRun automatic = run({"make", "--size", "1024", "--game", "auto"}, home);
    EXPECT_EQ(automatic.exit_code, 1);
    EXPECT_NE(automatic.err.find("--game PATH"), std::string::npos) << automatic.err;
    EXPECT_EQ(automatic.out, "") << "refused before the build";

    const morvane::testing::FakeSteam steam{home};
    steam.install();
    const fs::path flatpak = home / ".var" / "app" / "com.valvesoftware.Steam" / ".local" / "share" / "Steam";
    const fs::path second_game = flatpak / "steamapps" / "common" / "Counter-Strike Source";
    morvane::testing::write_file(flatpak / "steamapps" / "appmanifest_240.acf",
                                 morvane::testing::app_manifest("Counter-Strike Source"));
    fs::create_directories(second_game / "cstrike" / "materials");
    const CliRun two = run({"make", "--size", "1024", "--game", "auto"}, home);
    EXPECT_EQ(two.exit_code, 1);
    EXPECT_NE(two.err.find("Steam knows of 2 Counter-Strike: Source installations:\n  " + steam.game().string() +
                           "\n  " + second_game.string() + "\nChoose one"),
              std::string::npos)
        << two.err;
    EXPECT_EQ(run({"where"}, home).out, steam.console().string() + "\n" + (second_game / "cstrike/materials/console").string() + "\n");

    const CliRun no_game = run({"make", "--size", "1024", "--game", (root / "out").string()}, home);
    EXPECT_EQ(no_game.exit_code, 1);
    EXPECT_NE(no_game.err.find("has no cstrike/materials folder"), std::string::npos) << no_game.err;
    const CliRun missing = run({"make", "--size", "1024", "--game", (root / "nowhere" / "hl2_linux").string()}, home);
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("does not exist"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(steam.console()) || fs::exists(second_game / "cstrike" / "materials" / "console"));
    EXPECT_TRUE(out_names().empty());
}

TEST_F(MorvaneCli, BothProgramsTellTheirVersionWithoutADisplay) {
    CliRun r = run({"--version"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, "morvane-cli " MORVANE_VERSION "\n");
    EXPECT_NE(run({"--help"}).out.find("morvane-cli --version"), std::string::npos);

    // The window's program answers before it needs a screen: no display is named at all here.
    const std::string window_program = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '") +
                                       MORVANE_PATH + "' --version >'" + (root / "version.txt").string() + "'";
    EXPECT_EQ(std::system(window_program.c_str()), 0);
    EXPECT_EQ(read_text(root / "version.txt"), "morvane " MORVANE_VERSION "\n");
}

}  // namespace
