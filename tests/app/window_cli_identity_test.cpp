// A background made in the window and one made by `morvane-cli make` from the same picture are the same file.
#include "main_window_fixture.h"

#include "controls/elcombo.h"

#include <QImage>
#include <QProcess>
#include <QStringList>

namespace fs = std::filesystem;

namespace morvane::testing {
namespace {

#ifdef MORVANE_CLI_PATH

fs::path make_photo(const fs::path& folder) {
    QImage image(1600, 900, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7 + y) & 0xFF, (x * y / 97) & 0xFF, (255 - y / 4) & 0xFF));
    const fs::path file = folder / "photo.jpg";
    EXPECT_TRUE(image.save(QString::fromStdString(file.string()), "JPG", 90));
    return file;
}

std::string cli_make(const std::vector<std::string>& arguments) {
    QStringList args;
    for (const auto& a : arguments) args << QString::fromStdString(a);
    QProcess cli;
    cli.start(QStringLiteral(MORVANE_CLI_PATH), args);
    EXPECT_TRUE(cli.waitForFinished(300000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return {};
}

using WindowAndCli = MainWindowTest;

TEST_F(WindowAndCli, WriteTheSameBytesFromTheSamePictureAtBothResolutions) {
    const fs::path photo = make_photo(root.path());
    auto& w = open_located();
    dialog.answer(photo.string());
    w.load_picture();
    for (int index : {0, 1}) {
        const std::string side = index == 0 ? "1024" : "2048";
        const fs::path out = root.path() / ("cli-" + side);
        fs::create_directories(out);
        cli_make({"make", photo.string(), "--size", side, "--out", out.string()});
        w.elcombo1().SetListIndex(int16_t(index));
        w.make_background();
        ASSERT_TRUE(messages.shown.empty()) << messages.shown[0];
        const std::string from_window = read_bytes(texture_file());
        EXPECT_EQ(from_window.size(), side == "1024" ? 1398320u : 5592624u);
        EXPECT_TRUE(from_window == read_bytes(out / "background01.vtf")) << "at " << side;
        EXPECT_EQ(read_bytes(console() / "background01.vmt"), read_bytes(out / "background01.vmt"));
    }
}

TEST_F(WindowAndCli, WriteTheSameBytesFromTheBuiltInPicture) {
    const fs::path out = root.path() / "cli";
    fs::create_directories(out);
    cli_make({"make", "--size", "1024", "--out", out.string()});
    open_located().make_background();
    EXPECT_TRUE(read_bytes(texture_file()) == read_bytes(out / "background01.vtf"));
}

#endif

}  // namespace
}  // namespace morvane::testing
