// morvane-cli as a user meets it: a large photograph in, a texture every VTF reader accepts out, and
// clear refusals that leave nothing half-written. Which files the input layer refuses and why is the input
// file's tests' business; here each kind of refusal is seen once through the program.
#include "tests/app/core/expected_materials.h"
#include "tests/app/core/fake_steam.h"
#include "tests/support/temp_folder.h"

#include <QImage>
#include <QImageReader>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using ::testing::HasSubstr;

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
        EXPECT_THAT(err, HasSubstr(says));
    }
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

// The 3840 x 2400 photograph has the shape of a 16:10 wallpaper; a material the player made is kept.
TEST_F(MorvaneCli, MakeTurnsALargePhotographIntoTexturesForBothScreenShapesThatInspectAccepts) {
    std::ofstream(out / "background01_widescreen.vmt", std::ios::binary) << "mine";
    const CliRun made = make_1024(out, {large_photograph().string(), "--encoder", kFastEncoder});
    ASSERT_EQ(made.exit_code, 0) << made.err;
    EXPECT_EQ(made.err, "");
    EXPECT_THAT(made.out, HasSubstr("3840 x 2400"));
    EXPECT_EQ(fs::file_size(texture), 1398320u);
    EXPECT_TRUE(read_text(out / "background01_widescreen.vtf") == read_text(texture));
    EXPECT_EQ(read_text(out / "background01.vmt"), kStandardMaterial);
    EXPECT_EQ(read_text(out / "background01_widescreen.vmt"), "mine");
    for (const std::string& name : kAllFour)
        EXPECT_THAT(made.out, HasSubstr((out / name).string()));
    const CliRun inspected = run({"inspect", texture.string()});
    EXPECT_EQ(inspected.exit_code, 0) << inspected.err;
    for (const char* line : {"version       7.1", "hiformat      15 (DXT5)", "mipmapcount   11",
                             "low-res              64          128  16 x 16", "The sizes add up"})
        EXPECT_THAT(inspected.out, HasSubstr(line));
}

// Without a picture the built-in one is used; a longer texture is replaced, the player's materials are kept;
// --only-standard writes one shape, from a picture whose name is no UTF-8.
TEST_F(MorvaneCli, MakeWithoutAPictureReplacesALongerTextureKeepsThePlayersMaterialsAndCanWriteOneShape) {
    std::ofstream(out / "background01.vmt", std::ios::binary) << "mine";
    std::ofstream(out / "background01_widescreen.vmt", std::ios::binary) << "mine too";
    std::ofstream(texture, std::ios::binary) << std::string(6000000, 'x');
    const CliRun made = make_1024(out);
    ASSERT_EQ(made.exit_code, 0) << made.err;
    EXPECT_THAT(made.out, HasSubstr("built-in default picture"));
    EXPECT_THAT(made.out, HasSubstr(" 11/11"));
    EXPECT_EQ(fs::file_size(texture), 1398320u);
    EXPECT_EQ(read_text(out / "background01.vmt"), "mine");
    EXPECT_THAT(made.out, HasSubstr("Kept " + (out / "background01_widescreen.vmt").string() + " as it was"));

    const fs::path picture = root / std::string("paisaje-\xF1.bmp"), standard_only = root / "standard";
    ASSERT_TRUE(QImage(64, 48, QImage::Format_RGB32).save(QString::fromStdString((root / "plain.bmp").string()), "BMP"));
    fs::rename(root / "plain.bmp", picture);
    fs::create_directories(standard_only);
    const CliRun standard = make_1024(standard_only, {picture.string(), "--only-standard"});
    ASSERT_EQ(standard.exit_code, 0) << standard.err;
    EXPECT_THAT(standard.out, HasSubstr("(64 x 48)"));
    EXPECT_EQ(out_names(standard_only), (std::vector<std::string>{"background01.vmt", "background01.vtf"}));
}

// The command line decodes JPEGs and PNGs itself, turning a JPEG taken sideways upright by its tag; every other
// picture comes through Qt's decoders, which it loads only then. A copy of the program without them still takes
// JPEGs and PNGs, and for anything else says what is missing.
TEST_F(MorvaneCli, JpegsAndPngsNeedNoQtOtherPicturesComeThroughItsDecodersAndWithoutThemTheMessageSaysSo) {
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(qRgb(30, 90, 160));
    const fs::path png = root / "picture.png", bmp = root / "picture.bmp", jpeg = root / "sideways.jpg";
    ASSERT_TRUE(picture.save(QString::fromStdString(png.string()), "PNG"));
    ASSERT_TRUE(picture.save(QString::fromStdString(bmp.string()), "BMP"));
    ASSERT_TRUE(picture.save(QString::fromStdString(jpeg.string()), "JPG", 90));
    // A camera's EXIF block after the start marker: the picture's top lies on the right of the stored pixels.
    const std::string exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32);
    const std::string stored = read_text(jpeg);
    std::ofstream(jpeg, std::ios::binary) << stored.substr(0, 2) + std::string("\xFF\xE1\0\x22", 4) + exif + stored.substr(2);

    for (const fs::path& other : {png, bmp}) {
        const CliRun made = make_1024(out, {other.string()});
        EXPECT_EQ(made.exit_code, 0) << made.err;
        EXPECT_THAT(made.out, HasSubstr(other.filename().string() + " (300 x 200)"));
    }
    const CliRun from_jpeg = make_1024(out, {jpeg.string()});
    EXPECT_EQ(from_jpeg.exit_code, 0) << from_jpeg.err;
    EXPECT_THAT(from_jpeg.out, HasSubstr("sideways.jpg (200 x 300)"));

    fs::create_directories(root / "alone");
    program = root / "alone" / "morvane-cli";
    fs::copy_file(MORVANE_CLI_PATH, program);
    EXPECT_EQ(make_1024(out, {jpeg.string()}).exit_code, 0);
    EXPECT_EQ(make_1024(out, {png.string()}).exit_code, 0);
    make_1024(out, {bmp.string()}).refused(1, "decoders for pictures other than JPEG and PNG are missing");
}

// A download that did not finish is refused and nothing is written; a material that is a link leading nowhere
// is reported as such, never as written; a texture that is a link stays one and its file gets the texture.
TEST_F(MorvaneCli, ACutPictureIsRefusedAndLinksInTheFolderAreHonouredOrReportedNeverTakenForWritten) {
    const std::string photo = read_text(large_photograph());
    std::ofstream(root / "cut.jpg", std::ios::binary) << photo.substr(0, photo.size() / 2);
    make_1024(out, {(root / "cut.jpg").string()})
        .refused(1, "The picture \"" + (root / "cut.jpg").string() + "\" is damaged or incomplete (Premature end of JPEG file)");
    EXPECT_TRUE(out_names().empty());

    const fs::path elsewhere = root / "elsewhere";
    fs::create_directories(elsewhere);
    fs::create_symlink(elsewhere / "nowhere.vmt", out / "background01.vmt");
    std::ofstream(elsewhere / "mine.vtf", std::ios::binary) << "the player's old texture";
    fs::create_symlink(elsewhere / "mine.vtf", texture);
    const CliRun made = make_1024(out, {"--only-standard"});
    made.refused(1, "it is a symbolic link to \"" + (elsewhere / "nowhere.vmt").string() + "\", which does not exist");
    EXPECT_EQ(made.out.find("Wrote " + (out / "background01.vmt").string()), std::string::npos) << made.out;
    EXPECT_THAT(made.out, HasSubstr("Wrote " + texture.string() + " (1398320 bytes"));
    EXPECT_TRUE(fs::is_symlink(texture));
    EXPECT_EQ(fs::file_size(elsewhere / "mine.vtf"), 1398320u);
    EXPECT_EQ(out_names(), (std::vector<std::string>{"background01.vmt", "background01.vtf"}));
}

// Makes into one folder at once (the window and a script, or several scripts): every one succeeds, and the
// texture is always one whole texture, the same as a make alone writes.
TEST_F(MorvaneCli, SixMakesIntoOneFolderAtOnceAllSucceedAndLeaveOneWholeTexture) {
    const fs::path alone = root / "alone";
    fs::create_directories(alone);
    ASSERT_EQ(make_1024(alone, {"--only-standard"}).exit_code, 0);
    const std::string expected = read_text(alone / "background01.vtf");
    const std::string command = "'" + program.string() + "' make --size 1024 --only-standard --out '" + out.string() +
                                "' >/dev/null 2>>'" + (root / "errors.txt").string() + "'";
    std::ofstream(root / "six.sh") << "fail=0\nfor i in 1 2 3 4 5 6; do " + command +
                                          " & done\nfor i in 1 2 3 4 5 6; do wait -n || fail=1; done\nexit $fail\n";
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(std::system(("bash '" + (root / "six.sh").string() + "'").c_str()), 0) << read_text(root / "errors.txt");
        EXPECT_TRUE(read_text(texture) == expected) << "round " << round;
        EXPECT_EQ(out_names(), (std::vector<std::string>{"background01.vmt", "background01.vtf"}));
    }
}

// What an attacker or a careless user hands over: each gets its reason at once, no hang, no crash.
TEST_F(MorvaneCli, InspectRefusesWhatIsNoWholeTextureAtOnceWithItsReason) {
    ASSERT_EQ(make_1024(out).exit_code, 0);
    const std::string whole = read_text(texture);
    std::string header = whole.substr(0, 64);
    ASSERT_EQ(::mkfifo((root / "pipe").c_str(), 0600), 0);  // nobody ever writes into it
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
        {root / "pipe", "not an ordinary file"},
        {root / "none.vtf", "none.vtf"},
        {out / "background01.vmt", "not a VTF texture"},
        {root / "short.vtf", "do not add up: header and blocks need 1398320 bytes"},
        {root / "huge.vtf", "need 1398320 bytes, but \"" + (root / "huge.vtf").string() + "\" has 1073741824"},
        {root / "levels.vtf", "claims 33 mip levels, but a 1024 x 1024 texture has at most 11"},
        {root / "deep.vtf", "its header claims more bytes than any file can hold"}};
    for (const auto& [file, why] : refused) run({"inspect", file.string()}).refused(1, why);
}

TEST_F(MorvaneCli, WrongCommandLinesUnusableFoldersOrAReadOnlyTextureAreRefusedAndWriteNothingHalf) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"make", "--size", "512", "--out", out.string()}, {"make", "--size", "1024"},
          {"make", "--size", "1024", "--out", out.string(), "--game", "auto"}, {"where", "extra"}, {}})
        run(args).refused(2, "Usage:");
    EXPECT_THAT(run({"--help"}).out, HasSubstr("morvane-cli make [PICTURE] --size 1024|2048 --out DIR"));
    make_1024(root / "no-such-folder").refused(1, (root / "no-such-folder").string());
    make_1024(out / std::string(300, 'o')).refused(1, "cannot be used: its name is too long for the system");

    const std::string old(2000000, 'o');
    std::ofstream(texture, std::ios::binary) << old;
    fs::permissions(texture, fs::perms::all, fs::perm_options::remove);
    const CliRun made = make_1024(out, {"--encoder", kFastEncoder});
    made.refused(1, texture.string() + "\": the file is read-only");
    EXPECT_THAT(made.err, HasSubstr("The same background was written to \"" + (out / "background01_widescreen.vtf").string()));
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

// The lines `where` and `make --game` give for a game: the console folder, then what the game opens.
std::string seen_lines(const fs::path& console, const std::string& standard, const std::string& widescreen) {
    return console.string() + "\n  console/background01: " + standard + "\n  console/background01_widescreen: " +
           widescreen + "\n";
}

TEST_F(MorvaneCli, WhereAndMakeGameWriteWhereTodaysGameLooksFirstAndProveItFromTheEnginesOrder) {
    const morvane::testing::FakeSteam steam{root / "home"};
    steam.install();
    const std::string ours = "Morvane's cstrike/custom/morvane/materials/console/background01";
    const CliRun before = run({"where"}, steam.home);
    EXPECT_EQ(before.exit_code, 0) << before.err;
    EXPECT_EQ(before.out, seen_lines(steam.console(), "materials/console/background01.vtf in hl2/hl2_misc_dir.vpk, not Morvane's",
                                     "materials/console/background01_widescreen.vtf in hl2/hl2_misc_dir.vpk, not Morvane's"));

    const fs::path game = steam.game();
    for (const std::string& given : {std::string("auto"), (game / "cstrike_linux64").string()}) {
        fs::remove_all(game / "cstrike" / "custom" / "morvane");
        const CliRun made = run({"make", "--size", "1024", "--game", given}, steam.home);
        ASSERT_EQ(made.exit_code, 0) << given << ": " << made.err;
        EXPECT_EQ(out_names(steam.console()), kAllFour) << given;
        EXPECT_EQ(fs::file_size(steam.console() / "background01_widescreen.vtf"), 1398320u);
        EXPECT_THAT(made.out, HasSubstr("From its next start, the game opens:\n  console/background01: " + ours + ".vtf\n"));
    }
    EXPECT_EQ(out_names(game / "cstrike" / "custom"), std::vector<std::string>{"morvane"}) << "nothing else is touched";
    EXPECT_FALSE(fs::exists(game / "cstrike" / "materials"));

    // A player's pack that sorts first wins, and `where` says so and what to do.
    morvane::testing::FakeGame{game}.add_pack("A pack");
    const CliRun after = run({"where"}, steam.home);
    EXPECT_EQ(after.out, seen_lines(steam.console(),
                                    "cstrike/custom/A pack/materials/console/background01.vtf, not Morvane's: the pack "
                                    "\"A pack\" comes before \"morvane\"; rename it to sort after \"morvane\", or "
                                    "remove it, to see Morvane's",
                                    ours + "_widescreen.vtf"));
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

    run({"make", "--size", "1024", "--game", (root / "out").string()}, home)
        .refused(1, "has neither cstrike/gameinfo.txt nor a cstrike/materials folder");
    run({"make", "--size", "1024", "--game", (root / "nowhere" / "cstrike_linux64").string()}, home).refused(1, "does not exist");
    EXPECT_FALSE(fs::exists(steam.console()) || fs::exists(second_game / "cstrike" / "custom" / "morvane"));
    EXPECT_TRUE(out_names().empty());
}

TEST_F(MorvaneCli, BothProgramsTellTheirVersionWithoutADisplay) {
    const CliRun version = run({"--version"});
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.out, "morvane-cli " MORVANE_VERSION "\n");
    EXPECT_THAT(run({"--help"}).out, HasSubstr("morvane-cli --version"));

    // The window's program answers before it needs a screen: no display is named at all here.
    const std::string window_program = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '") +
                                       MORVANE_PATH + "' --version >'" + (root / "version.txt").string() + "'";
    EXPECT_EQ(std::system(window_program.c_str()), 0);
    EXPECT_EQ(read_text(root / "version.txt"), "morvane " MORVANE_VERSION "\n");
}

}  // namespace
