// The picture loader: every picture arrives with the pixels Qt's own decoding gives it (JPEG straight into
// our pixels, transparency laid over black), and whatever is no picture is refused with a message.
#include "platform/jpeg_decode.h"
#include "platform/png_decode.h"
#include "platform/default_picture.h"
#include "platform/qt/picture_loader.h"
#include "tests/support/temp_folder.h"

#include <QColor>
#include <QImage>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <vector>

namespace morvane {
namespace {

using ::testing::HasSubstr;
using testing::read_bytes;
using testing::write_bytes;

struct PictureLoader : ::testing::Test {
    std::filesystem::path path(const char* name) const { return temp / std::filesystem::u8path(name); }
    QString qpath(const char* name) const { return QString::fromStdString(path(name).string()); }
    const testing::TempFolder temp;
};

// Colour that changes from pixel to pixel in every channel, so that chroma, channel order and rows all show.
QImage pattern(int w, int h, QImage::Format format = QImage::Format_RGB32) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 11 + x * x) % 256, (x + y) * 3 % 256));
    return img.convertToFormat(format);
}

// What Qt's reader makes of the file laid over black, as blue, green, red, 255.
Image32 as_qt_reads(const QString& file) {
    const QImage qt = QImage(file).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Image32 expected(qt.width(), qt.height());
    for (int y = 0; y < qt.height(); ++y)
        for (int x = 0; x < qt.width(); ++x) {
            const QRgb c = qt.pixel(x, y);
            expected.set_pixel(x, y, Bgra{uint8_t(qBlue(c)), uint8_t(qGreen(c)), uint8_t(qRed(c)), 255});
        }
    return expected;
}

// Odd sizes, so that partial blocks and subsampled chroma at the edges are covered; a greyscale JPEG widens to
// three equal channels; a PNG under a .jpg name arrives (content decides, not the name); transparent parts
// are laid over black; a JPEG cut off halfway shows what its first half holds, as Qt shows it.
TEST_F(PictureLoader, EveryPictureArrivesWithThePixelsQtDecodesLaidOverBlack) {
    ASSERT_TRUE(pattern(37, 21).save(qpath("colour.jpg"), "JPEG", 90));
    ASSERT_TRUE(pattern(64, 33, QImage::Format_Grayscale8).save(qpath("grey.jpg"), "JPEG", 90));
    ASSERT_TRUE(pattern(37, 21).save(qpath("colour.bmp"), "BMP"));
    ASSERT_TRUE(pattern(37, 21, QImage::Format_RGB888).save(qpath("fotografía.jpg"), "PNG"));
    QImage seen = pattern(37, 21, QImage::Format_ARGB32);
    for (int y = 0; y < seen.height(); ++y)
        for (int x = 0; x < seen.width(); ++x) seen.setPixel(x, y, (seen.pixel(x, y) & 0xFFFFFF) | uint32_t((x * 37 + y * 5) % 256) << 24);
    ASSERT_TRUE(seen.save(qpath("clear.png"), "PNG"));
    ASSERT_TRUE(pattern(120, 90).save(qpath("whole.jpg"), "JPEG", 90));
    const std::string whole = read_bytes(path("whole.jpg"));
    write_bytes(path("cut.jpg"), whole.substr(0, whole.size() / 2));
    for (const char* name : {"colour.jpg", "grey.jpg", "colour.bmp", "fotografía.jpg", "clear.png", "cut.jpg"}) {
        const LoadedPicture loaded = load_picture(path(name));
        ASSERT_TRUE(loaded.ok()) << loaded.error;
        const Image32 expected = as_qt_reads(qpath(name));
        ASSERT_EQ(loaded.picture.width, expected.width) << name;
        ASSERT_EQ(loaded.picture.height, expected.height) << name;
        EXPECT_TRUE(loaded.picture.bytes == expected.bytes) << name;
    }
    EXPECT_EQ(load_picture(path("clear.png")).picture.pixel(0, 0), (Bgra{0, 0, 0, 255})) << "fully transparent is black";
}

// Above Qt's usual 128 MB ceiling a JPEG still loads.
TEST_F(PictureLoader, ALargeJpegLoadsAboveQtsOwnCeiling) {
    QImage big(6400, 6000, QImage::Format_RGB32);  // 154 MB of pixels
    big.fill(QColor(200, 40, 90));
    ASSERT_TRUE(big.save(qpath("big.jpg"), "JPEG", 80));
    big = QImage();
    const LoadedPicture loaded = load_picture(path("big.jpg"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(loaded.picture.width, 6400);
    const Bgra p = loaded.picture.pixel(5000, 4000);
    EXPECT_NEAR(p.r, 200, 6);
    EXPECT_NEAR(p.g, 40, 6);
    EXPECT_NEAR(p.b, 90, 6);
}

TEST_F(PictureLoader, WhatIsNoPictureIsRefusedWithAMessageNamingTheFileAndNoPicture) {
    write_bytes(path("notes.jpg"), "these are not pixels\n");
    std::filesystem::create_directory(path("album.jpg"));
    ASSERT_EQ(::mkfifo(path("pipe.jpg").c_str(), 0600), 0);  // opening it would wait for a writer for ever
    ASSERT_TRUE(pattern(200, 200).save(qpath("whole.bmp"), "BMP"));
    write_bytes(path("cut.bmp"), read_bytes(path("whole.bmp")).substr(0, 40));
    // A small JPEG whose frame header announces 30000 x 30000 pixels: 3.6 GB once decoded.
    ASSERT_TRUE(pattern(16, 16).save(qpath("huge.jpg"), "JPEG"));
    std::string jpeg = read_bytes(path("huge.jpg"));
    const size_t frame = jpeg.find("\xFF\xC0");
    for (size_t at : {5, 7}) jpeg.replace(frame + at, 2, "\x75\x30");  // height, width: 30000
    write_bytes(path("huge.jpg"), jpeg);
    // A text part after the pixels that claims 805 MB: libpng would reserve all of it (found by fuzzing).
    ASSERT_TRUE(pattern(8, 6).save(qpath("bloated.png"), "PNG"));
    std::string png = read_bytes(path("bloated.png"));
    png.insert(png.size() - 12, std::string("\x30\x00\x00\x25tEXtdate:create\0002026", 24));
    write_bytes(path("bloated.png"), png);

    const std::string too_long(300, 'x');
    for (const auto& [name, why] : {std::pair{"notes.jpg", "could not be read as a picture"},
                                    {"gone.bmp", "does not exist"}, {"album.jpg", "is a folder"}, {"cut.bmp", ""},
                                    {"huge.jpg", "too large to load (30000 x 30000 pixels)"},
                                    {"pipe.jpg", "is not an ordinary file"},
                                    {"bloated.png", "a part of it claims more bytes than the file holds"},
                                    {too_long.c_str(), "its name is too long for the system"}}) {
        const LoadedPicture loaded = load_picture(path(name));
        EXPECT_FALSE(loaded.ok()) << name;
        EXPECT_TRUE(loaded.picture.empty()) << name;
        EXPECT_THAT(loaded.error, HasSubstr(path(name).string()));
        EXPECT_THAT(loaded.error, HasSubstr(why));
        EXPECT_THAT(loaded.error, ::testing::ContainsRegex("[Cc]hoose"));
    }
}

// The name is the system's bytes, whatever they are; a caller's lower limit refuses a picture by its header.
TEST_F(PictureLoader, ANameThatIsNoUtf8LoadsAndAPictureAboveTheGivenLimitIsRefusedBeforeDecoding) {
    const std::filesystem::path odd = temp / std::string("foto\xE9\xFF.bmp");
    ASSERT_TRUE(pattern(40, 30).save(qpath("pattern.bmp"), "BMP"));
    std::filesystem::rename(path("pattern.bmp"), odd);
    const LoadedPicture loaded = load_picture(odd);
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(loaded.picture.width, 40);
    EXPECT_THAT(load_picture(odd, 40 * 30 * 4 - 1).error, HasSubstr("too large to load (40 x 30 pixels)"));
    EXPECT_TRUE(load_picture(odd, 40 * 30 * 4).ok());
}

// The JPEG decoder declines, and leaves the file to the general one: not a JPEG, a damaged header, too many
// pixels. What it decodes is opaque.
TEST_F(PictureLoader, TheJpegDecoderDeclinesWhatItCannotDecodeWithinTheLimit) {
    ASSERT_TRUE(pattern(64, 48).save(qpath("small.jpg"), "JPEG", 90));
    const std::string jpeg = read_bytes(path("small.jpg"));
    const auto* data = reinterpret_cast<const uint8_t*>(jpeg.data());
    ASSERT_TRUE(decode_jpeg(data, jpeg.size(), 64 * 48 * 4).has_value());
    EXPECT_FALSE(decode_jpeg(data, jpeg.size(), 64 * 48 * 4 - 1).has_value()) << "one byte over the limit";
    EXPECT_FALSE(decode_jpeg(data, 20, 1 << 20).has_value()) << "the header cut off";
    const std::string text("\xFF\xD8\xFF not really a JPEG at all");  // its own length: 28 bytes, not 30
    EXPECT_FALSE(decode_jpeg(reinterpret_cast<const uint8_t*>(text.data()), text.size(), 1 << 20).has_value());
    EXPECT_FALSE(decode_jpeg(nullptr, 0, 1 << 20).has_value());
    const auto decoded = decode_jpeg(data, jpeg.size(), 1 << 20);
    for (size_t i = 3; i < decoded->bytes.size(); i += 4) ASSERT_EQ(decoded->bytes[i], 255) << i / 4;
}

// Rows taken a few at a time are the rows of the whole picture, a file that ends early gives its grey rest the
// same way, and a photograph taken sideways is opened as stored with its tag, for the caller to decide, and
// loaded upright. A file that is no JPEG, or a folder, is not opened.
TEST_F(PictureLoader, AJpegReadInBandsGivesTheWholePicturesRowsAndItsOrientation) {
    ASSERT_TRUE(pattern(123, 77).save(qpath("colour.jpg"), "JPEG", 85));
    const std::string whole = read_bytes(path("colour.jpg"));
    write_bytes(path("cut.jpg"), whole.substr(0, whole.size() * 2 / 3));
    for (const char* name : {"colour.jpg", "cut.jpg"}) {
        std::optional<JpegFile> jpeg = open_jpeg_file(path(name), 1 << 20);
        ASSERT_TRUE(jpeg.has_value()) << name;
        const std::optional<Image32> expected = decode_jpeg(jpeg->bytes.data(), jpeg->bytes.size(), 1 << 20);
        ASSERT_TRUE(expected.has_value()) << name;
        JpegDecoder& decoder = *jpeg->decoder;
        EXPECT_EQ(decoder.orientation(), 1);
        Image32 bands = Image32::unfilled(decoder.width(), decoder.height());
        for (int y = 0, band = 1; y < bands.height; y += band, band = band % 7 + 1) {
            const int count = std::min(band, bands.height - y);
            std::vector<uint8_t*> rows;
            for (int i = 0; i < count; ++i) rows.push_back(bands.row(y + i));
            ASSERT_TRUE(decoder.read_rows(rows.data(), count)) << name << " row " << y;
        }
        EXPECT_TRUE(bands.bytes == expected->bytes) << name;
        uint8_t* past[1] = {bands.row(0)};
        EXPECT_FALSE(decoder.read_rows(past, 1)) << "a row past the last";
    }

    // A camera's EXIF block, little-endian, saying the picture's top lies on the right of the stored pixels.
    const std::string exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32);
    const std::string app1 = std::string("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif;
    write_bytes(path("turned.jpg"), whole.substr(0, 2) + app1 + whole.substr(2));
    std::optional<JpegFile> turned = open_jpeg_file(path("turned.jpg"), 1 << 20);
    ASSERT_TRUE(turned.has_value());
    EXPECT_EQ(turned->decoder->orientation(), 6);
    EXPECT_EQ(turned->decoder->width(), 123) << "as stored";
    const LoadedPicture upright = load_picture(path("turned.jpg"));
    EXPECT_EQ(upright.picture.width, 77) << "turned by the loader";
    ASSERT_TRUE(pattern(20, 10).save(qpath("picture.bmp"), "BMP"));
    std::filesystem::create_directory(path("folder.jpg"));
    for (const char* name : {"picture.bmp", "folder.jpg", "missing.jpg"})
        EXPECT_FALSE(open_jpeg_file(path(name), 1 << 20).has_value()) << name;
    EXPECT_FALSE(open_jpeg_file(path("colour.jpg"), 123 * 77 * 4 - 1).has_value()) << "over the limit";
}

// Every kind of PNG libpng is left to decode row by row gives the pixels Qt's own decoder gives, transparency
// laid over black with its rounding; what it leaves to Qt (16 bits a channel, a damaged header) is not opened.
TEST_F(PictureLoader, APngReadInRowsGivesThePixelsQtDecodesLaidOverBlack) {
    QImage clear = pattern(37, 21, QImage::Format_ARGB32);
    for (int y = 0; y < clear.height(); ++y)
        for (int x = 0; x < clear.width(); ++x)
            clear.setPixel(x, y, (clear.pixel(x, y) & 0xFFFFFF) | uint32_t((x * 37 + y * 5) % 256) << 24);
    QImage keyed = pattern(37, 21).convertToFormat(QImage::Format_Indexed8);
    keyed.setColor(3, keyed.color(3) & 0x00FFFFFF);  // one palette entry fully transparent, as a colour key
    const std::pair<const char*, QImage> kinds[] = {
        {"rgb.png", pattern(37, 21)},
        {"rgba.png", clear},
        {"grey.png", pattern(37, 21, QImage::Format_Grayscale8)},
        {"palette.png", pattern(37, 21, QImage::Format_Indexed8)},
        {"keyed.png", keyed},
        {"mono.png", pattern(37, 21, QImage::Format_Mono)}};
    for (const auto& [name, image] : kinds) {
        ASSERT_TRUE(image.save(qpath(name), "PNG")) << name;
        std::optional<PngFile> png = open_png_file(path(name), 1 << 20);
        ASSERT_TRUE(png.has_value()) << name;
        PngDecoder& decoder = *png->decoder;
        Image32 rows = Image32::unfilled(decoder.width(), decoder.height());
        for (int y = 0; y < rows.height; y += 2) {
            uint8_t* two[2] = {rows.row(y), rows.row(std::min(y + 1, rows.height - 1))};
            ASSERT_TRUE(decoder.read_rows(two, std::min(2, rows.height - y))) << name << " row " << y;
        }
        const Image32 expected = as_qt_reads(qpath(name));
        EXPECT_TRUE(rows.bytes == expected.bytes) << name;
    }
    ASSERT_TRUE(pattern(8, 6, QImage::Format_RGBA64).save(qpath("deep.png"), "PNG"));
    const std::string whole = read_bytes(path("rgb.png"));
    write_bytes(path("cut.png"), whole.substr(0, 20));
    for (const char* name : {"deep.png", "cut.png", "missing.png"})
        EXPECT_FALSE(open_png_file(path(name), 1 << 20).has_value()) << name;
    EXPECT_FALSE(open_png_file(path("rgb.png"), 37 * 21 * 4 - 1).has_value()) << "over the limit";
}

TEST(DefaultPicture, IsAnOpaque1024By1024PictureThatIsNotBlank) {
    const Image32& picture = default_picture();
    ASSERT_EQ(picture.bytes.size(), 1024u * 1024u * 4u);
    std::set<uint32_t> colours;
    for (int i = 0; i < 1024 * 1024; i += 97) colours.insert(colorref_from_bgra(picture.pixel(i % 1024, i / 1024)));
    EXPECT_GT(colours.size(), 16u) << "the compiled-in picture did not decode; only the plain fallback is there";
    for (size_t i = 3; i < picture.bytes.size(); i += 4) ASSERT_EQ(picture.bytes[i], 255) << i / 4;
}

}  // namespace
}  // namespace morvane
