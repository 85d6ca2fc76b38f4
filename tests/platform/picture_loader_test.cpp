#include "platform/qt/default_picture.h"
#include "platform/qt/picture_loader.h"
#include "tests/support/temp_folder.h"

#include <QColor>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>

using morvane::Bgra;
using morvane::load_picture;
using ::testing::HasSubstr;

namespace {

class PictureLoader : public ::testing::Test {
protected:
    std::filesystem::path path(const char* name) const { return temp / std::filesystem::u8path(name); }
    QString qpath(const char* name) const { return QString::fromStdString(path(name).string()); }

    const morvane::testing::TempFolder temp;
};

// Each pixel a colour of its own, so that a swapped channel or a flipped row shows.
QImage pattern(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) * 3 % 256));
    return img;
}

}  // namespace

// A BMP and a PNG under a .jpg name arrive exactly (content decides, not the name); transparent parts are
// laid over black and come out opaque; a JPEG above Qt's usual 128 MB ceiling still loads.
TEST_F(PictureLoader, PixelsArriveTopRowFirstWithRedInTheThirdByteWhateverTheFileIsCalled) {
    ASSERT_TRUE(pattern(37, 21).save(qpath("pattern.bmp"), "BMP"));
    QImage clear = pattern(37, 21).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 21; ++y) clear.setPixel(0, y, qRgba(255, 255, 255, 0));
    ASSERT_TRUE(clear.save(qpath("fotografía.jpg"), "PNG"));
    for (const char* name : {"pattern.bmp", "fotografía.jpg"}) {
        const morvane::LoadedPicture loaded = load_picture(path(name));
        ASSERT_TRUE(loaded.ok()) << loaded.error;
        ASSERT_EQ(loaded.picture.width, 37);
        ASSERT_EQ(loaded.picture.height, 21);
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 37; ++x)
                ASSERT_EQ(loaded.picture.pixel(x, y),
                          (x == 0 && name[0] == 'f' ? Bgra{0, 0, 0, 255}
                                                    : Bgra{uint8_t((x + y) * 3 % 256), uint8_t(y * 11 % 256), uint8_t(x * 7 % 256), 255}))
                    << name << " " << x << "," << y;
    }
    QImage big(6400, 6000, QImage::Format_RGB32);  // 154 MB of pixels
    big.fill(QColor(200, 40, 90));
    ASSERT_TRUE(big.save(qpath("big.jpg"), "JPEG", 80));
    big = QImage();
    const morvane::LoadedPicture loaded = load_picture(path("big.jpg"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(loaded.picture.width, 6400);
    const Bgra p = loaded.picture.pixel(5000, 4000);
    EXPECT_NEAR(p.r, 200, 6);
    EXPECT_NEAR(p.g, 40, 6);
    EXPECT_NEAR(p.b, 90, 6);
}

TEST_F(PictureLoader, WhatIsNoPictureIsRefusedWithAMessageNamingTheFileAndNoPicture) {
    std::ofstream(path("notes.jpg")) << "these are not pixels\n";
    std::filesystem::create_directory(path("album.jpg"));
    ASSERT_EQ(::mkfifo(path("pipe.jpg").c_str(), 0600), 0);  // opening it would wait for a writer for ever
    ASSERT_TRUE(pattern(200, 200).save(qpath("whole.bmp"), "BMP"));
    const QByteArray head = [&] { QFile f(qpath("whole.bmp")); f.open(QIODevice::ReadOnly); return f.read(40); }();
    std::ofstream(path("cut.bmp"), std::ios::binary).write(head.constData(), head.size());
    // A small JPEG whose frame header announces 30000 x 30000 pixels: 3.6 GB once decoded.
    ASSERT_TRUE(pattern(16, 16).save(qpath("huge.jpg"), "JPEG"));
    QFile huge(qpath("huge.jpg"));
    ASSERT_TRUE(huge.open(QIODevice::ReadWrite));
    QByteArray jpeg = huge.readAll();
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    for (int at : {5, 7}) jpeg.replace(frame + at, 2, QByteArray("\x75\x30", 2));  // height, width: 30000
    huge.seek(0);
    huge.write(jpeg);
    huge.close();

    const std::string too_long(300, 'x');
    // A text part after the pixels that claims 805 MB: libpng would reserve all of it (found by fuzzing).
    ASSERT_TRUE(pattern(8, 6).save(qpath("bloated.png"), "PNG"));
    QFile bloated(qpath("bloated.png"));
    ASSERT_TRUE(bloated.open(QIODevice::ReadWrite));
    QByteArray png = bloated.readAll();
    png.insert(png.size() - 12, QByteArray("\x30\x00\x00\x25tEXtdate:create\0002026", 24));
    bloated.seek(0);
    bloated.write(png);
    bloated.close();

    for (const auto& [name, why] : {std::pair{"notes.jpg", "could not be read as a picture"},
                                    {"gone.bmp", "does not exist"}, {"album.jpg", "is a folder"}, {"cut.bmp", ""},
                                    {"huge.jpg", "too large to load (30000 x 30000 pixels)"},
                                    {"pipe.jpg", "is not an ordinary file"},
                                    {"bloated.png", "a part of it claims more bytes than the file holds"},
                                    {too_long.c_str(), "its name is too long for the system"}}) {
        const morvane::LoadedPicture loaded = load_picture(path(name));
        EXPECT_FALSE(loaded.ok()) << name;
        EXPECT_TRUE(loaded.picture.empty()) << name;
        EXPECT_THAT(loaded.error, HasSubstr(path(name).string()));
        EXPECT_THAT(loaded.error, HasSubstr(why));
        EXPECT_THAT(loaded.error, ::testing::ContainsRegex("[Cc]hoose"));
    }
}

// The name is the system's bytes, whatever they are; a caller's lower limit refuses a picture by its header.
TEST_F(PictureLoader, ANameThatIsNoUtf8LoadsAndAPictureAboveTheGivenLimitIsRefusedBeforeDecoding) {
    const std::filesystem::path odd = path("") / std::string("foto\xE9\xFF.bmp");
    ASSERT_TRUE(pattern(40, 30).save(qpath("pattern.bmp"), "BMP"));
    std::filesystem::rename(path("pattern.bmp"), odd);
    const morvane::LoadedPicture loaded = load_picture(odd);
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(loaded.picture.width, 40);
    const morvane::LoadedPicture refused = load_picture(odd, 40 * 30 * 4 - 1);
    EXPECT_THAT(refused.error, HasSubstr("too large to load (40 x 30 pixels)"));
    EXPECT_TRUE(load_picture(odd, 40 * 30 * 4).ok());
}

TEST(DefaultPicture, IsAnOpaque1024By1024PictureThatIsNotBlank) {
    const morvane::Image32& picture = morvane::default_picture();
    ASSERT_EQ(picture.bytes.size(), 1024u * 1024u * 4u);
    std::set<uint32_t> colours;
    for (int i = 0; i < 1024 * 1024; i += 97) colours.insert(morvane::colorref_from_bgra(picture.pixel(i % 1024, i / 1024)));
    EXPECT_GT(colours.size(), 16u) << "the compiled-in picture did not decode; only the plain fallback is there";
    for (size_t i = 3; i < picture.bytes.size(); i += 4) ASSERT_EQ(picture.bytes[i], 255) << i / 4;
}
