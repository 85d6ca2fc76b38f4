// A background made in the window and one made by `morvane-cli make` from the same picture are the same file.
#include "main_window_fixture.h"

#include "controls/elcombo.h"

#include <QImage>
#include <QProcess>

namespace fs = std::filesystem;

namespace morvane::testing {
namespace {

#ifdef MORVANE_CLI_PATH

using WindowAndCli = MainWindowTest;

TEST_F(WindowAndCli, WriteTheSameBytesFromTheSamePictureAtBothResolutions) {
    QImage image(1600, 900, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7 + y) & 0xFF, (x * y / 97) & 0xFF, (255 - y / 4) & 0xFF));
    const fs::path photo = root.path() / "photo.jpg";
    ASSERT_TRUE(image.save(QString::fromStdString(photo.string()), "JPG", 90));
    auto& w = open_located();
    dialog.answer(photo.string());
    w.load_picture();
    for (int16_t index : {0, 1}) {
        const QString side = index == 0 ? "1024" : "2048";
        const fs::path out = root.path() / ("cli-" + side.toStdString());
        fs::create_directories(out);
        QProcess cli;
        cli.start(QStringLiteral(MORVANE_CLI_PATH), {"make", QString::fromStdString(photo.string()), "--size", side,
                                                     "--out", QString::fromStdString(out.string())});
        ASSERT_TRUE(cli.waitForFinished(300000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        w.elcombo1().SetListIndex(index);
        w.make_background();
        ASSERT_TRUE(messages.shown.empty()) << messages.shown[0];
        const std::string from_window = read_bytes(texture_file());
        EXPECT_EQ(from_window.size(), index == 0 ? 1398320u : 5592624u);
        EXPECT_TRUE(from_window == read_bytes(out / "background01.vtf")) << "at " << side.toStdString();
        EXPECT_EQ(read_bytes(console() / "background01.vmt"), read_bytes(out / "background01.vmt"));
    }
}

#endif

}  // namespace
}  // namespace morvane::testing
