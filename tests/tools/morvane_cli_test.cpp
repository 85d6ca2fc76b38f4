// morvane-cli as a user meets it: a large photograph in, a texture every VTF reader accepts out, and
// clear refusals that leave nothing half-written.
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
    ~MorvaneCli() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    static void TearDownTestSuite() { fs::remove(kPhotograph); }

    // Runs morvane-cli with its output caught in files, as a shell would.
    CliRun run(const std::vector<std::string>& args) const {
        auto quoted = [](const std::string& s) {
            std::string q = "'";
            for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
            return q + "'";
        };
        std::string command = "timeout 120 " + quoted(MORVANE_CLI_PATH);  // a hang fails, with status 124
        for (const auto& a : args) command += " " + quoted(a);
        command += " >" + quoted((root / "stdout.txt").string()) + " 2>" + quoted((root / "stderr.txt").string());
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_text(root / "stdout.txt"), read_text(root / "stderr.txt")};
    }
    std::vector<std::string> out_names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(out)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    const fs::path root = fs::temp_directory_path() / ("morvane-cli-test-" + std::to_string(::getpid()) + "-" +
                                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    const fs::path out = root / "out";
    const fs::path texture = out / "background01.vtf";
};

TEST_F(MorvaneCli, MakeTurnsALargePhotographIntoTexturesThatInspectAcceptsAtBothSizes) {
    for (const auto& [side, bytes, levels] : {std::tuple{"1024", 1398320u, "mipmapcount   11"},
                                              std::tuple{"2048", 5592624u, "mipmapcount   12"}}) {
        const CliRun made = run({"make", large_photograph().string(), "--size", side, "--out", out.string(), "--encoder",
                                 "squish-range"});
        ASSERT_EQ(made.exit_code, 0) << made.err;
        EXPECT_EQ(made.err, "");
        EXPECT_NE(made.out.find("3840 x 2400"), std::string::npos) << made.out;
        EXPECT_EQ(fs::file_size(texture), bytes);
        EXPECT_EQ(fs::file_size(out / "background01.vmt"), 117u);

        const CliRun inspected = run({"inspect", texture.string()});
        EXPECT_EQ(inspected.exit_code, 0) << inspected.err;
        EXPECT_NE(inspected.out.find("version       7.1"), std::string::npos) << inspected.out;
        EXPECT_NE(inspected.out.find("hiformat      15 (DXT5)"), std::string::npos);
        EXPECT_NE(inspected.out.find(levels), std::string::npos);
        EXPECT_NE(inspected.out.find("low-res              64          128  16 x 16"), std::string::npos);
        EXPECT_NE(inspected.out.find("The sizes add up"), std::string::npos);
    }
    EXPECT_EQ(out_names(), (std::vector<std::string>{"background01.vmt", "background01.vtf"}));
}

TEST_F(MorvaneCli, MakeWithoutAPictureUsesTheBuiltInOneAndInspectRefusesWhatIsNoWholeTexture) {
    std::ofstream(out / "background01.vmt", std::ios::binary) << "mine";
    std::ofstream(texture, std::ios::binary) << std::string(6000000, 'x');
    const CliRun made = run({"make", "--size", "1024", "--out", out.string()});
    ASSERT_EQ(made.exit_code, 0) << made.err;
    EXPECT_NE(made.out.find("built-in default picture"), std::string::npos) << made.out;
    for (int step = 1; step <= 11; ++step)
        EXPECT_NE(made.out.find(" " + std::to_string(step) + "/11"), std::string::npos) << step;
    EXPECT_EQ(fs::file_size(texture), 1398320u);  // the longer file replaced
    EXPECT_EQ(read_text(out / "background01.vmt"), "mine");
    EXPECT_NE(made.out.find("Kept"), std::string::npos) << made.out;

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
    EXPECT_EQ(out_names(), (std::vector<std::string>{"background01.vmt", "background01.vtf"}));
}

TEST_F(MorvaneCli, WrongCommandLinesAMissingFolderOrAReadOnlyTextureAreRefusedAndWriteNothing) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"make", "--size", "512", "--out", out.string()}, {"make", "--out", out.string()},
          {"make", "--size", "1024"}, {"make", "--size", "1024", "--out", out.string(), "--encoder", "best"},
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
    EXPECT_EQ(read_text(texture), old);
    EXPECT_EQ(out_names(), std::vector<std::string>{"background01.vtf"});
}

}  // namespace
