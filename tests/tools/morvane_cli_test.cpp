// morvane-cli as a user meets it: a large photograph in, a texture every VTF reader accepts out, and
// clear refusals that leave nothing half-written. Which files the input layer refuses and why is the input
// file's tests' business; here each kind of refusal is seen once through the program.
#include "tests/app/core/expected_materials.h"
#include "tests/app/core/fake_steam.h"
#include "tests/support/temp_folder.h"

#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;
using morvane::testing::kStandardMaterial;

std::string read_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct CliRun {
    int exit_code = -1;
    std::string out, err;  // standard output and error
    // The error names what it must, in its own words; the run failed with `code`.
    void refused(int code, const std::string& says) const {
        EXPECT_EQ(exit_code, code) << err;
        EXPECT_NE(err.find(says), std::string::npos) << err;
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
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_text(root / "stdout.txt"), read_text(root / "stderr.txt")};
    }
    CliRun make_1024(const fs::path& folder, std::vector<std::string> more = {}) const {
        std::vector<std::string> args{"make", "--size", "1024", "--out", folder.string()};
        args.insert(args.end(), more.begin(), more.end());
        return run(args);
    }
    std::vector<std::string> out_names(const fs::path& folder = {}) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder.empty() ? out : folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
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

// A byte too many or a level left out shows in the size; the player's own material is never replaced.
TEST_F(MorvaneCli, MakeWritesBothShapesThatInspectAcceptsAndKeepsThePlayersMaterial) {
    std::ofstream(out / "background01_widescreen.vmt", std::ios::binary) << "mine";
    std::ofstream(texture, std::ios::binary) << std::string(6000000, 'x');  // longer than the new one
    const CliRun made = run({"make", "--size", "2048", "--out", out.string(), "--encoder", kFastEncoder});
    ASSERT_EQ(made.exit_code, 0) << made.err;
    EXPECT_EQ(made.err, "");
    EXPECT_NE(made.out.find("built-in default picture"), std::string::npos) << made.out;
    for (int step = 1; step <= 12; ++step)
        EXPECT_NE(made.out.find(" " + std::to_string(step) + "/12"), std::string::npos) << step;
    EXPECT_EQ(fs::file_size(texture), 5592624u);
    EXPECT_TRUE(read_text(out / "background01_widescreen.vtf") == read_text(texture));
    EXPECT_EQ(read_text(out / "background01.vmt"), kStandardMaterial);
    EXPECT_EQ(read_text(out / "background01_widescreen.vmt"), "mine");
    EXPECT_NE(made.out.find("Kept " + (out / "background01_widescreen.vmt").string() + " as it was"), std::string::npos);
    for (const char* name : {"background01.vmt", "background01.vtf", "background01_widescreen.vtf"})
        EXPECT_NE(made.out.find((out / name).string()), std::string::npos) << name << " not named in\n" << made.out;
    EXPECT_EQ(out_names(), kAllFour);

    const CliRun inspected = run({"inspect", texture.string()});
    EXPECT_EQ(inspected.exit_code, 0) << inspected.err;
    for (const char* line : {"version       7.1", "hiformat      15 (DXT5)", "mipmapcount   12",
                             "low-res              64          128  16 x 16", "The sizes add up"})
        EXPECT_NE(inspected.out.find(line), std::string::npos) << line << " not in\n" << inspected.out;
}

// The command line decodes JPEGs and PNGs itself, turning a JPEG taken sideways upright by its tag (its
// texture is the one its upright pixels give); every other picture comes through Qt's decoders, which it
// loads only then. A copy of the program without them still takes JPEGs and PNGs, and says what is missing.
TEST_F(MorvaneCli, PicturesArriveUprightThroughTheirDecodersAndWithoutQtsOnlyJpegsAndPngsDo) {
    QImage picture(333, 251, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x % 256, (y * 3) % 256, (x ^ y) % 256));
    const fs::path png = root / "upright.png", bmp = root / "picture.bmp", jpeg = root / "sideways.jpg";
    ASSERT_TRUE(picture.save(QString::fromStdString(bmp.string()), "BMP"));
    ASSERT_TRUE(picture.save(QString::fromStdString(jpeg.string()), "JPG", 90));
    // A camera's EXIF block after the start marker: the picture's top lies on the right of the stored pixels.
    const std::string exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32);
    const std::string stored = read_text(jpeg);
    std::ofstream(jpeg, std::ios::binary) << stored.substr(0, 2) + std::string("\xFF\xE1\0\x22", 4) + exif + stored.substr(2);
    QImageReader reader(QString::fromStdString(jpeg.string()));
    reader.setAutoTransform(true);
    ASSERT_TRUE(reader.read().save(QString::fromStdString(png.string()), "PNG"));
    const fs::path from_png = root / "from-png";
    fs::create_directories(from_png);
    for (const auto& [file, folder, seen] : {std::tuple{bmp, out, "picture.bmp (333 x 251)"},
                                             {png, from_png, "upright.png (251 x 333)"},
                                             {jpeg, out, "sideways.jpg (251 x 333)"}}) {
        const CliRun made = make_1024(folder, {file.string(), "--only-standard"});
        EXPECT_EQ(made.exit_code, 0) << made.err;
        EXPECT_NE(made.out.find(seen), std::string::npos) << made.out;
    }
    EXPECT_TRUE(read_text(texture) == read_text(from_png / "background01.vtf"));

    fs::create_directories(root / "alone");
    program = root / "alone" / "morvane-cli";
    fs::copy_file(MORVANE_CLI_PATH, program);
    EXPECT_EQ(make_1024(out, {jpeg.string(), "--only-standard"}).exit_code, 0);
    EXPECT_EQ(make_1024(out, {png.string(), "--only-standard"}).exit_code, 0);
    make_1024(out, {bmp.string()}).refused(1, "decoders for pictures other than JPEG and PNG are missing");
}

// A download that did not finish is found out only while its rows are drawn, and still nothing is written; a
// material that is a link leading nowhere is reported as such, never as written.
TEST_F(MorvaneCli, ACutPictureWritesNothingAndADanglingMaterialIsNeverTakenForWritten) {
    QImage picture(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x % 256, (y * 3) % 256, (x ^ y) % 256));
    ASSERT_TRUE(picture.save(QString::fromStdString((root / "cut.jpg").string()), "JPG", 90));
    fs::resize_file(root / "cut.jpg", fs::file_size(root / "cut.jpg") / 2);
    make_1024(out, {(root / "cut.jpg").string()}).refused(1, "is damaged or incomplete (Premature end of JPEG file)");
    EXPECT_TRUE(out_names().empty());

    fs::create_symlink(root / "nowhere.vmt", out / "background01.vmt");
    const CliRun made = make_1024(out, {"--only-standard"});
    made.refused(1, "it is a symbolic link to \"" + (root / "nowhere.vmt").string() + "\", which does not exist");
    EXPECT_EQ(made.out.find("Wrote " + (out / "background01.vmt").string()), std::string::npos) << made.out;
    EXPECT_NE(made.out.find("Wrote " + texture.string() + " (1398320 bytes"), std::string::npos) << made.out;
}

// What an attacker or a careless user hands over: each gets its reason at once, no hang, no crash.
TEST_F(MorvaneCli, InspectRefusesWhatIsNoWholeTextureAtOnceWithItsReason) {
    ASSERT_EQ(make_1024(out).exit_code, 0);
    const std::string whole = read_text(texture);
    std::string header = whole.substr(0, 64);
    std::ofstream(root / "short.vtf", std::ios::binary) << whole.substr(0, whole.size() - 100);
    std::ofstream(root / "huge.vtf", std::ios::binary) << header;
    fs::resize_file(root / "huge.vtf", uint64_t(1) << 30);  // 1 GiB, sparse: only the header is ever read
    header[56] = 33;  // a level count whose sizes would shift past their width
    std::ofstream(root / "levels.vtf", std::ios::binary) << header;
    std::string deep = whole.substr(0, 64) + std::string(16, '\0');  // version 7.2: 80 bytes, with a depth
    deep[8] = 2, deep[12] = 80, deep[21] |= 0x40, deep[52] = 24;      // six faces of 8 bytes a pixel
    for (size_t at : {16, 18, 24, 63}) deep.replace(at, 2, "\xFF\x7F");  // 32767 wide, high, frames, slices
    std::ofstream(root / "deep.vtf", std::ios::binary) << deep;
    const std::vector<std::pair<fs::path, std::string>> refused{
        {out / "background01.vmt", "not a VTF texture"},
        {root / "short.vtf", "do not add up: header and blocks need 1398320 bytes"},
        {root / "huge.vtf", "need 1398320 bytes, but \"" + (root / "huge.vtf").string() + "\" has 1073741824"},
        {root / "levels.vtf", "claims 33 mip levels, but a 1024 x 1024 texture has at most 11"},
        {root / "deep.vtf", "its header claims more bytes than any file can hold"}};
    for (const auto& [file, why] : refused) run({"inspect", file.string()}).refused(1, why);
}

TEST_F(MorvaneCli, WrongCommandLinesUnusableFoldersOrAReadOnlyTextureAreRefusedAndWriteNothingHalf) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"make", "--size", "512", "--out", out.string()}, {"make", "--out", out.string()},
          {"make", "--size", "1024"}, {"make", "--size", "1024", "--out", out.string(), "--encoder", "best"},
          {"make", "--size", "1024", "--out", out.string(), "--game", "auto"}, {"make", "--size", "1024", "--game"},
          {"where", "extra"}, {"convert", "x"}, {}})
        run(args).refused(2, "Usage:");
    const std::string help = run({"--help"}).out;
    for (const char* usage : {"morvane-cli make [PICTURE] --size 1024|2048 --out DIR", "morvane-cli --version"})
        EXPECT_NE(help.find(usage), std::string::npos) << help;
    make_1024(root / "no-such-folder").refused(1, (root / "no-such-folder").string());

    const std::string old(2000000, 'o');
    std::ofstream(texture, std::ios::binary) << old;
    fs::permissions(texture, fs::perms::all, fs::perm_options::remove);
    const CliRun made = make_1024(out, {"--encoder", kFastEncoder});
    made.refused(1, texture.string() + "\": the file is read-only");
    EXPECT_NE(made.err.find("The same background was written to \"" + (out / "background01_widescreen.vtf").string()),
              std::string::npos)
        << made.err;
    EXPECT_EQ(read_text(texture), old);
    EXPECT_EQ(out_names(), (std::vector<std::string>{"background01.vtf", "background01_widescreen.vmt",
                                                     "background01_widescreen.vtf"}))
        << "the shape that was written has its material; no temporary file stays";
}

#ifndef MORVANE_HAVE_SQUISH
// A build without libsquish says so for either of its encoders, points to the one it has, and writes nothing.
TEST_F(MorvaneCli, WithoutLibsquishItsEncodersAreRefusedWithTheOneThereIsNamed) {
    for (const char* encoder : {"squish", "squish-range"})
        make_1024(out, {"--encoder", encoder})
            .refused(2, std::string("this build has no libsquish, so --encoder ") + encoder +
                            " is not available; use --encoder morvane");
    EXPECT_EQ(out_names(), std::vector<std::string>{});
}
#endif

// `where` and `make --game` name the console folder, then what the game opens; a game is given as Steam's,
// its folder or one of its programs.
TEST_F(MorvaneCli, WhereAndMakeGameWriteWhereTodaysGameLooksFirst) {
    const morvane::testing::FakeSteam steam{root / "home"};
    steam.install();
    const CliRun before = run({"where"}, steam.home);
    EXPECT_EQ(before.exit_code, 0) << before.err;
    EXPECT_EQ(before.out, steam.console().string() +
                              "\n  console/background01: materials/console/background01.vtf in hl2/hl2_misc_dir.vpk, not "
                              "Morvane's\n  console/background01_widescreen: materials/console/background01_widescreen.vtf "
                              "in hl2/hl2_misc_dir.vpk, not Morvane's\n");

    const fs::path game = steam.game();
    for (const std::string& given : {std::string("auto"), (game / "cstrike_linux64").string(), (game / "cstrike.sh").string(),
                                     game.string()}) {
        fs::remove_all(game / "cstrike" / "custom" / "morvane");
        const CliRun made = run({"make", "--size", "1024", "--game", given}, steam.home);
        ASSERT_EQ(made.exit_code, 0) << given << ": " << made.err;
        EXPECT_EQ(out_names(steam.console()), kAllFour) << given;
        EXPECT_NE(made.out.find("From its next start, the game opens:\n  console/background01: Morvane's "
                                "cstrike/custom/morvane/materials/console/background01.vtf\n"),
                  std::string::npos)
            << made.out;
    }
    EXPECT_EQ(out_names(game / "cstrike" / "custom"), std::vector<std::string>{"morvane"}) << "nothing else is touched";
    EXPECT_FALSE(fs::exists(game / "cstrike" / "materials"));
}

TEST_F(MorvaneCli, NoSteamTwoInstallationsOrAFolderThatIsNoGameAreRefusedAndNothingIsWritten) {
    const fs::path home = root / "home";
    fs::create_directories(home);
    const CliRun where = run({"where"}, home);
    where.refused(1, "no Counter-Strike: Source installation was found through Steam");
    EXPECT_EQ(where.out, "");
    const CliRun automatic = run({"make", "--size", "1024", "--game", "auto"}, home);
    automatic.refused(1, "--game PATH");
    EXPECT_EQ(automatic.out, "") << "refused before the build";

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

    run({"make", "--size", "1024", "--game", (root / "nowhere" / "cstrike_linux64").string()}, home).refused(1, "does not exist");
    EXPECT_FALSE(fs::exists(steam.console()) || fs::exists(second_game / "cstrike" / "custom" / "morvane"));
    EXPECT_TRUE(out_names().empty());
}

TEST_F(MorvaneCli, BothProgramsTellTheirVersionWithoutADisplay) {
    const CliRun version = run({"--version"});
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.out, "morvane-cli " MORVANE_VERSION "\n");

    // The window's program answers before it needs a screen: no display is named at all here.
    const std::string window_program = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '") +
                                       MORVANE_PATH + "' --version >'" + (root / "version.txt").string() + "'";
    EXPECT_EQ(std::system(window_program.c_str()), 0);
    EXPECT_EQ(read_text(root / "version.txt"), "morvane " MORVANE_VERSION "\n");
}

}  // namespace
