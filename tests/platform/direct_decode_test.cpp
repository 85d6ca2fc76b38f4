// Pictures decoded straight into the program's pixels come out exactly as Qt's own decoding gives them.
#include "platform/jpeg_decode.h"
#include "platform/qt/picture_loader.h"
#include "tests/support/temp_folder.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>

#include <gtest/gtest.h>

#include <filesystem>

using morvane::Bgra;
using morvane::Image32;

namespace {

class DirectDecode : public ::testing::Test {
protected:
    std::filesystem::path path(const char* name) const { return temp / name; }
    QString qpath(const char* name) const { return QString::fromStdString(path(name).string()); }
    QByteArray bytes(const char* name) const {
        QFile f(qpath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    const morvane::testing::TempFolder temp;
};

// Colour that changes from pixel to pixel in every channel, so that chroma, channel order and rows all show.
QImage photo_like(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 11 + x * x) % 256, (x + y) * 3 % 256));
    return img;
}

// What Qt's reader makes of the file, as opaque blue, green, red, 255.
Image32 as_qt_reads(const QString& file) {
    const QImage qt = QImage(file).convertToFormat(QImage::Format_RGB32);
    Image32 expected(qt.width(), qt.height());
    for (int y = 0; y < qt.height(); ++y)
        for (int x = 0; x < qt.width(); ++x) {
            const QRgb c = qt.pixel(x, y);
            expected.set_pixel(x, y, Bgra{uint8_t(qBlue(c)), uint8_t(qGreen(c)), uint8_t(qRed(c)), 255});
        }
    return expected;
}

void expect_same_pixels(const Image32& got, const Image32& expected, const char* what) {
    ASSERT_EQ(got.width, expected.width) << what;
    ASSERT_EQ(got.height, expected.height) << what;
    for (int y = 0; y < got.height; ++y)
        for (int x = 0; x < got.width; ++x)
            ASSERT_EQ(got.pixel(x, y), expected.pixel(x, y)) << what << " at " << x << "," << y;
}

}  // namespace

// Odd sizes, so that partial blocks and subsampled chroma at the edges are covered too; a greyscale JPEG
// widens to three equal channels.
TEST_F(DirectDecode, JpegBmpAndPngArriveWithTheSamePixelsAsQtDecodesThem) {
    ASSERT_TRUE(photo_like(37, 21).save(qpath("colour.jpg"), "JPEG", 90));
    ASSERT_TRUE(photo_like(64, 33).convertToFormat(QImage::Format_Grayscale8).save(qpath("grey.jpg"), "JPEG", 90));
    ASSERT_TRUE(photo_like(37, 21).save(qpath("colour.bmp"), "BMP"));
    ASSERT_TRUE(photo_like(37, 21).convertToFormat(QImage::Format_RGB888).save(qpath("colour.png"), "PNG"));
    for (const char* name : {"colour.jpg", "grey.jpg", "colour.bmp", "colour.png"}) {
        const morvane::LoadedPicture loaded = morvane::load_picture(path(name));
        ASSERT_TRUE(loaded.ok()) << loaded.error;
        expect_same_pixels(loaded.picture, as_qt_reads(qpath(name)), name);
    }
}

// A picture with transparency is laid over black where Qt decodes it, as Qt lays it over black itself.
TEST_F(DirectDecode, APngWithTransparencyArrivesLaidOverBlack) {
    QImage seen = photo_like(37, 21).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < seen.height(); ++y)
        for (int x = 0; x < seen.width(); ++x) {
            const QRgb c = seen.pixel(x, y);
            seen.setPixel(x, y, qRgba(qRed(c), qGreen(c), qBlue(c), (x * 37 + y * 5) % 256));
        }
    ASSERT_TRUE(seen.save(qpath("clear.png"), "PNG"));
    const morvane::LoadedPicture loaded = morvane::load_picture(path("clear.png"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    const QImage over_black = QImage(qpath("clear.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Image32 expected(over_black.width(), over_black.height());
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const QRgb c = over_black.pixel(x, y);
            expected.set_pixel(x, y, Bgra{uint8_t(qBlue(c)), uint8_t(qGreen(c)), uint8_t(qRed(c)), 255});
        }
    expect_same_pixels(loaded.picture, expected, "clear.png");
    EXPECT_EQ(loaded.picture.pixel(0, 0), (Bgra{0, 0, 0, 255})) << "fully transparent is black";
}

// Qt's reader shows what the first half holds (the rest grey); so does the direct decoding.
TEST_F(DirectDecode, AJpegCutShortLoadsAsFarAsItGoesAsQtLoadsIt) {
    ASSERT_TRUE(photo_like(120, 90).save(qpath("whole.jpg"), "JPEG", 90));
    const QByteArray whole = bytes("whole.jpg");
    QFile cut(qpath("cut.jpg"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.left(whole.size() / 2));
    cut.close();
    const morvane::LoadedPicture loaded = morvane::load_picture(path("cut.jpg"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    expect_same_pixels(loaded.picture, as_qt_reads(qpath("cut.jpg")), "cut.jpg");
}

// A photograph taken sideways is turned upright by its orientation tag, as before.
TEST_F(DirectDecode, AJpegWithAnOrientationTagStillArrivesUpright) {
    QImageWriter writer(qpath("turned.jpg"), "jpeg");
    if (!writer.supportsOption(QImageIOHandler::ImageTransformation)) GTEST_SKIP() << "Qt writes no orientation tag";
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(photo_like(40, 24)));
    const morvane::LoadedPicture loaded = morvane::load_picture(path("turned.jpg"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(loaded.picture.width, 24);
    EXPECT_EQ(loaded.picture.height, 40);
}

// The decoder declines, and leaves the file to the general one: not a JPEG, a damaged header, too many pixels.
TEST_F(DirectDecode, TheJpegDecoderDeclinesWhatItCannotDecodeWithinTheLimit) {
    ASSERT_TRUE(photo_like(64, 48).save(qpath("small.jpg"), "JPEG", 90));
    const QByteArray jpeg = bytes("small.jpg");
    const auto* data = reinterpret_cast<const uint8_t*>(jpeg.constData());
    const size_t size = size_t(jpeg.size());
    ASSERT_TRUE(morvane::decode_jpeg(data, size, 64 * 48 * 4).has_value());
    EXPECT_FALSE(morvane::decode_jpeg(data, size, 64 * 48 * 4 - 1).has_value()) << "one byte over the limit";
    EXPECT_FALSE(morvane::decode_jpeg(data, 20, 1 << 20).has_value()) << "the header cut off";
    const QByteArray text("\xFF\xD8\xFF not really a JPEG at all");  // its own length: 28 bytes, not 30
    EXPECT_FALSE(morvane::decode_jpeg(reinterpret_cast<const uint8_t*>(text.constData()), size_t(text.size()), 1 << 20).has_value());
    EXPECT_FALSE(morvane::decode_jpeg(nullptr, 0, 1 << 20).has_value());
    const auto decoded = morvane::decode_jpeg(data, size, 1 << 20);
    for (size_t i = 3; i < decoded->bytes.size(); i += 4) ASSERT_EQ(decoded->bytes[i], 255) << i / 4;
}
