#include "platform/qt/default_picture.h"
#include "platform/qt/picture_loader.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

using morvane::Bgra;
using morvane::load_picture;
using ::testing::HasSubstr;

namespace {

class PictureLoader : public ::testing::Test {
protected:
    std::filesystem::path path(const char* name) const {
        return std::filesystem::path(dir_.path().toStdString()) / std::filesystem::u8path(name);
    }
    QString qpath(const char* name) const { return QString::fromStdString(path(name).string()); }

    QTemporaryDir dir_;
};

// Each pixel a colour of its own, so that a swapped channel or a flipped row shows.
QImage pattern(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) * 3 % 256));
    return img;
}

}  // namespace

TEST_F(PictureLoader, ABitmapLoadsPixelForPixelWithRedInTheThirdByteAndTheTopRowFirst) {
    ASSERT_TRUE(pattern(37, 21).save(qpath("pattern.bmp"), "BMP"));
    const morvane::LoadedPicture loaded = load_picture(path("pattern.bmp"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    ASSERT_EQ(loaded.picture.width, 37);
    ASSERT_EQ(loaded.picture.height, 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 37; ++x)
            ASSERT_EQ(loaded.picture.pixel(x, y),
                      (Bgra{uint8_t((x + y) * 3 % 256), uint8_t(y * 11 % 256), uint8_t(x * 7 % 256), 255}))
                << x << "," << y;
}

TEST_F(PictureLoader, AJpegLoadsAtItsOwnSizeWithColoursCloseToTheOriginal) {
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(QColor(200, 40, 90));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 64; ++x) img.setPixel(x, y, qRgb(20, 160, 230));  // top half sky blue
    ASSERT_TRUE(img.save(qpath("photo.jpg"), "JPEG", 95));
    const morvane::LoadedPicture loaded = load_picture(path("photo.jpg"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    ASSERT_EQ(loaded.picture.width, 64);
    ASSERT_EQ(loaded.picture.height, 48);
    const Bgra top = loaded.picture.pixel(10, 5);
    const Bgra bottom = loaded.picture.pixel(50, 40);
    EXPECT_NEAR(top.r, 20, 6);
    EXPECT_NEAR(top.g, 160, 6);
    EXPECT_NEAR(top.b, 230, 6);
    EXPECT_NEAR(bottom.r, 200, 6);
    EXPECT_NEAR(bottom.g, 40, 6);
    EXPECT_NEAR(bottom.b, 90, 6);
    EXPECT_EQ(top.a, 255);
}

TEST_F(PictureLoader, APhotographLargerThanQtsDefaultLimitStillLoads) {
    QImage big(6400, 6000, QImage::Format_RGB32);  // 154 MB of pixels, over Qt's usual 128 MB ceiling
    big.fill(QColor(10, 20, 30));
    ASSERT_TRUE(big.save(qpath("big.jpg"), "JPEG", 80));
    big = QImage();
    const morvane::LoadedPicture loaded = load_picture(path("big.jpg"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(loaded.picture.width, 6400);
    EXPECT_EQ(loaded.picture.height, 6000);
}

TEST_F(PictureLoader, TheFormatIsFoundFromTheContentAndNonAsciiNamesWork) {
    ASSERT_TRUE(pattern(8, 8).save(qpath("fotografía.jpg"), "PNG"));  // a PNG under a .jpg name
    const morvane::LoadedPicture loaded = load_picture(path("fotografía.jpg"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(loaded.picture.pixel(3, 2), (Bgra{15, 22, 21, 255}));
}

TEST_F(PictureLoader, TransparentPartsAreLaidOverBlackAndComeOutOpaque) {
    QImage img(2, 1, QImage::Format_ARGB32);
    img.setPixel(0, 0, qRgba(255, 255, 255, 0));
    img.setPixel(1, 0, qRgba(200, 100, 50, 255));
    ASSERT_TRUE(img.save(qpath("clear.png"), "PNG"));
    const morvane::LoadedPicture loaded = load_picture(path("clear.png"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(loaded.picture.pixel(0, 0), (Bgra{0, 0, 0, 255}));
    EXPECT_EQ(loaded.picture.pixel(1, 0), (Bgra{50, 100, 200, 255}));
}

TEST_F(PictureLoader, ATextFileIsRefusedWithAMessageNamingItAndNoPicture) {
    std::ofstream(path("notes.jpg")) << "these are not pixels\n";
    const morvane::LoadedPicture loaded = load_picture(path("notes.jpg"));
    EXPECT_FALSE(loaded.ok());
    EXPECT_TRUE(loaded.picture.empty());
    EXPECT_THAT(loaded.error, HasSubstr(path("notes.jpg").string()));
    EXPECT_THAT(loaded.error, HasSubstr("could not be read as a picture"));
    EXPECT_THAT(loaded.error, HasSubstr("Choose a .bmp or .jpg file"));
}

TEST_F(PictureLoader, AMissingFileOrAFolderIsRefusedWithAMessageNamingIt) {
    const morvane::LoadedPicture missing = load_picture(path("gone.bmp"));
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.picture.empty());
    EXPECT_THAT(missing.error, HasSubstr(path("gone.bmp").string()));
    EXPECT_THAT(missing.error, HasSubstr("does not exist"));

    std::filesystem::create_directory(path("album.jpg"));
    const morvane::LoadedPicture folder = load_picture(path("album.jpg"));
    EXPECT_FALSE(folder.ok());
    EXPECT_THAT(folder.error, HasSubstr(path("album.jpg").string()));
    EXPECT_THAT(folder.error, HasSubstr("is a folder"));
}

TEST_F(PictureLoader, ATruncatedFileDoesNotCrashTheLoader) {
    ASSERT_TRUE(pattern(200, 200).save(qpath("whole.bmp"), "BMP"));
    QFile whole(qpath("whole.bmp"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray head = whole.read(40);  // the file header and part of the bitmap header
    std::ofstream(path("cut.bmp"), std::ios::binary).write(head.constData(), head.size());
    const morvane::LoadedPicture loaded = load_picture(path("cut.bmp"));
    EXPECT_FALSE(loaded.ok());
    EXPECT_THAT(loaded.error, HasSubstr("cut.bmp"));
}

TEST(DefaultPicture, IsAnOpaque1024By1024PictureThatIsNotBlank) {
    const morvane::Image32& picture = morvane::default_picture();
    ASSERT_EQ(picture.width, 1024);
    ASSERT_EQ(picture.height, 1024);
    ASSERT_EQ(picture.bytes.size(), 1024u * 1024u * 4u);
    bool varies = false;
    for (size_t i = 0; i < picture.bytes.size(); i += 4) {
        ASSERT_EQ(picture.bytes[i + 3], 255) << i / 4;
        varies = varies || picture.bytes[i] != picture.bytes[0] || picture.bytes[i + 1] != picture.bytes[1];
    }
    EXPECT_TRUE(varies) << "the compiled-in picture did not decode; only the plain fallback is there";
    EXPECT_EQ(&picture, &morvane::default_picture());
}

TEST_F(PictureLoader, APictureTooLargeForMemoryIsRefusedWithAMessageSayingSo) {
    // A small JPEG whose frame header is made to announce 30000 x 30000 pixels: 3.6 GB once decoded.
    ASSERT_TRUE(pattern(16, 16).save(qpath("huge.jpg"), "JPEG"));
    QFile file(qpath("huge.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray jpeg = file.readAll();
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(frame, 0);
    for (int at : {5, 7}) {  // height, then width, 16 bits each, high byte first
        jpeg[frame + at] = char(30000 >> 8);
        jpeg[frame + at + 1] = char(30000 & 0xFF);
    }
    file.seek(0);
    file.write(jpeg);
    file.close();

    const morvane::LoadedPicture loaded = load_picture(path("huge.jpg"));
    EXPECT_FALSE(loaded.ok());
    EXPECT_TRUE(loaded.picture.empty());
    EXPECT_THAT(loaded.error, HasSubstr("huge.jpg"));
    EXPECT_THAT(loaded.error, HasSubstr("too large to load (30000 x 30000 pixels)"));
}
