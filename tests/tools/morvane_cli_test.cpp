// morvane-cli as a user meets it: a large photograph in, a texture every VTF reader accepts out, and
// clear refusals that leave nothing half-written.
#include "cli_test_support.h"

#include "dxt/encoder_choice.h"
#include "platform/qt/picture_loader.h"
#include "texture/background_build.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using morvane_cli_test::CliFolder;
using morvane_cli_test::read_text;
using morvane_cli_test::CliRun;
namespace fs = std::filesystem;

// A 3840 x 2400 JPEG photograph stand-in: smooth colour waves with fine detail, written once per run.
const fs::path& large_photograph() {
    static const fs::path path = [] {
        const fs::path p = fs::temp_directory_path() / ("morvane-cli-photo-" + std::to_string(::getpid()) + ".jpg");
        QImage image(3840, 2400, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int r = int(127 + 100 * std::sin(x / 300.0) + 20 * std::sin((x + y) / 7.0));
                const int g = int(127 + 100 * std::cos(y / 200.0));
                const int b = (x * 255 / 3839 + (x ^ y) % 16) & 255;
                line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), b);
            }
        }
        EXPECT_TRUE(image.save(QString::fromStdString(p.string()), "JPG", 90));
        return p;
    }();
    return path;
}

class MorvaneCli : public ::testing::Test {
protected:
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove(large_photograph(), ec);
    }
    CliFolder folder;
};

TEST_F(MorvaneCli, MakeTurnsALargePhotographIntoTexturesThatInspectAcceptsAtBothSizes) {
    for (const auto& [side, bytes, levels] : {std::tuple{"1024", 1398320u, "mipmapcount   11"},
                                              std::tuple{"2048", 5592624u, "mipmapcount   12"}}) {
        const CliRun made = folder.run({"make", large_photograph().string(), "--size", side, "--out",
                                     folder.out().string(), "--encoder", "squish-range"});
        ASSERT_EQ(made.exit_code, 0) << made.err;
        EXPECT_EQ(made.err, "");
        EXPECT_NE(made.out.find("3840 x 2400"), std::string::npos) << made.out;
        EXPECT_EQ(fs::file_size(folder.out() / "background01.vtf"), bytes);
        EXPECT_EQ(folder.out_names(), (std::vector<std::string>{"background01.vmt", "background01.vtf"}));

        const CliRun inspected = folder.run({"inspect", (folder.out() / "background01.vtf").string()});
        EXPECT_EQ(inspected.exit_code, 0) << inspected.err;
        EXPECT_NE(inspected.out.find("version       7.1"), std::string::npos) << inspected.out;
        EXPECT_NE(inspected.out.find("hiformat      15 (DXT5)"), std::string::npos);
        EXPECT_NE(inspected.out.find(levels), std::string::npos);
        EXPECT_NE(inspected.out.find("low-res              64          128  16 x 16"), std::string::npos)
            << inspected.out;
        EXPECT_NE(inspected.out.find("The sizes add up"), std::string::npos);
    }
}

TEST_F(MorvaneCli, MakeWritesTheSameBytesAsTheWindowsBuildOfTheSamePicture) {
    const CliRun made = folder.run({"make", large_photograph().string(), "--size", "1024", "--out",
                                 folder.out().string(), "--encoder", "squish-range"});
    ASSERT_EQ(made.exit_code, 0) << made.err;

    const morvane::LoadedPicture loaded = morvane::load_picture(large_photograph());
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    morvane::dxt::set_encoder(morvane::dxt::Encoder::SquishRangeFit);
    vtfmod::TextureModule module;
    ASSERT_TRUE(vtfmod::build_background(loaded.picture, 1024, module));
    morvane::dxt::set_encoder(morvane::dxt::Encoder::SquishClusterFit);
    ASSERT_TRUE(module.WriteVtfFile(folder.root() / "in-process.vtf").ok);
    EXPECT_EQ(read_text(folder.root() / "in-process.vtf"), read_text(folder.out() / "background01.vtf"));
}

TEST_F(MorvaneCli, MakeWithoutAPictureUsesTheBuiltInOneAndShowsOneProgressStepPerLevel) {
    const CliRun made = folder.run({"make", "--size", "1024", "--out", folder.out().string()});
    ASSERT_EQ(made.exit_code, 0) << made.err;
    EXPECT_NE(made.out.find("built-in default picture"), std::string::npos) << made.out;
    for (int step = 1; step <= 11; ++step)
        EXPECT_NE(made.out.find(" " + std::to_string(step) + "/11"), std::string::npos) << step;
    EXPECT_EQ(fs::file_size(folder.out() / "background01.vtf"), 1398320u);
    EXPECT_EQ(fs::file_size(folder.out() / "background01.vmt"), 117u);
}

TEST_F(MorvaneCli, AnExistingMaterialFileIsKeptWhileTheTextureIsReplaced) {
    std::ofstream(folder.out() / "background01.vmt", std::ios::binary) << "mine";
    std::ofstream(folder.out() / "background01.vtf", std::ios::binary) << std::string(6000000, 'x');
    const CliRun made = folder.run({"make", "--size", "1024", "--out", folder.out().string(), "--encoder", "squish-range"});
    ASSERT_EQ(made.exit_code, 0) << made.err;
    EXPECT_EQ(read_text(folder.out() / "background01.vmt"), "mine");
    EXPECT_EQ(fs::file_size(folder.out() / "background01.vtf"), 1398320u);
    EXPECT_NE(made.out.find("Kept"), std::string::npos) << made.out;
}

TEST_F(MorvaneCli, APictureThatCannotBeReadFailsOnStandardErrorAndWritesNothing) {
    const fs::path fake = folder.root() / "holiday.jpg";
    std::ofstream(fake) << "not a picture";
    const CliRun made = folder.run({"make", fake.string(), "--size", "1024", "--out", folder.out().string()});
    EXPECT_NE(made.exit_code, 0);
    EXPECT_NE(made.err.find("holiday.jpg"), std::string::npos) << made.err;
    EXPECT_TRUE(folder.out_names().empty());
}

TEST_F(MorvaneCli, AMissingOutputFolderFailsWithItsName) {
    const fs::path missing = folder.root() / "no-such-folder";
    const CliRun made = folder.run({"make", "--size", "1024", "--out", missing.string()});
    EXPECT_NE(made.exit_code, 0);
    EXPECT_NE(made.err.find(missing.string()), std::string::npos) << made.err;
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(MorvaneCli, AFailedTextureWriteKeepsTheOldTextureAndWritesNoMaterialFile) {
    const std::string old(2000000, 'o');
    std::ofstream(folder.out() / "background01.vtf", std::ios::binary) << old;
    fs::permissions(folder.out() / "background01.vtf", fs::perms::owner_write | fs::perms::group_write |
                    fs::perms::others_write, fs::perm_options::remove);
    const CliRun made = folder.run({"make", "--size", "1024", "--out", folder.out().string(), "--encoder", "squish-range"});
    EXPECT_EQ(made.exit_code, 1);
    EXPECT_NE(made.err.find("background01.vtf"), std::string::npos) << made.err;
    EXPECT_NE(made.err.find("read-only"), std::string::npos) << made.err;
    EXPECT_EQ(read_text(folder.out() / "background01.vtf"), old);
    EXPECT_EQ(folder.out_names(), std::vector<std::string>{"background01.vtf"});
}

TEST_F(MorvaneCli, WrongCommandLinesAreRefusedWithTheUsage) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"make", "--size", "512", "--out", folder.out().string()},
          std::vector<std::string>{"make", "--out", folder.out().string()},
          std::vector<std::string>{"make", "--size", "1024"},
          std::vector<std::string>{"make", "--size", "1024", "--out", folder.out().string(), "--encoder", "best"},
          std::vector<std::string>{"convert", "x"}, std::vector<std::string>{}}) {
        const CliRun r = folder.run(args);
        EXPECT_EQ(r.exit_code, 2);
        EXPECT_NE(r.err.find("Usage:"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(folder.out_names().empty());
    const CliRun help = folder.run({"--help"});
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_NE(help.out.find("morvane-cli make [PICTURE] --size 1024|2048 --out DIR"), std::string::npos);
}

TEST_F(MorvaneCli, InspectRefusesATruncatedTextureAndAFileThatIsNoTexture) {
    ASSERT_EQ(folder.run({"make", "--size", "1024", "--out", folder.out().string(), "--encoder", "squish-range"}).exit_code, 0);
    const std::string whole = read_text(folder.out() / "background01.vtf");
    std::ofstream(folder.root() / "short.vtf", std::ios::binary) << whole.substr(0, whole.size() - 100);
    const CliRun truncated = folder.run({"inspect", (folder.root() / "short.vtf").string()});
    EXPECT_EQ(truncated.exit_code, 1);
    EXPECT_NE(truncated.err.find("do not add up"), std::string::npos) << truncated.err;
    EXPECT_NE(truncated.err.find("1398220"), std::string::npos) << truncated.err;

    const CliRun material = folder.run({"inspect", (folder.out() / "background01.vmt").string()});
    EXPECT_EQ(material.exit_code, 1);
    EXPECT_NE(material.err.find("not a VTF texture"), std::string::npos) << material.err;

    const CliRun missing = folder.run({"inspect", (folder.root() / "none.vtf").string()});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("none.vtf"), std::string::npos) << missing.err;
}

}  // namespace
