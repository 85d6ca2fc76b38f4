// The picture loader: every picture arrives with the pixels Qt's own decoding gives it (JPEG and PNG straight
// into our pixels, transparency laid over black), and whatever is no whole picture is refused with a message.
#include "platform/codecs/picture_kinds.h"
#include "platform/codecs/png_decode.h"
#include "platform/pictures/streamed_stretch.h"
#include "platform/qt/pictures/picture_loader.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"

#include <QImage>
#include <QImageReader>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

namespace morvane {
namespace {

using ::testing::HasSubstr;
using testing::read_bytes;
using testing::write_bytes;

struct PictureLoader : ::testing::Test {
    std::filesystem::path path(const std::string& name) const { return temp / std::filesystem::u8path(name); }
    std::string saved(const QImage& image, const std::string& name, const char* format = "PNG") const {
        EXPECT_TRUE(image.save(QString::fromStdString(path(name).string()), format, 85)) << name;
        return read_bytes(path(name));
    }
    const testing::TempFolder temp;
};

// Colour that changes from pixel to pixel in every channel, so that chroma, channel order and rows all show;
// with `alpha`, a transparency that changes too.
QImage pattern(int w, int h, QImage::Format format = QImage::Format_RGB32, bool alpha = false) {
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgba((x * 7 + y) % 256, (y * 11 + x * x) % 256, (x + y) * 3 % 256,
                                     alpha ? (x * 37 + y * 5) % 256 : 255));
    return img.convertToFormat(format);
}

// What Qt's reader makes of the file laid over black (premultiplied: blue, green, red, alpha in memory), opaque.
Image32 as_qt_reads(const std::filesystem::path& file) {
    const QImage qt = QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Image32 expected(qt.width(), qt.height());
    for (int y = 0; y < qt.height(); ++y) std::memcpy(expected.row(y), qt.constScanLine(y), size_t(qt.width()) * 4);
    for (size_t i = 3; i < expected.bytes.size(); i += 4) expected.bytes[i] = 255;
    return expected;
}

// Odd sizes, so that partial blocks and subsampled chroma at the edges show; every kind of PNG libpng decodes
// row by row (transparency and a colour key laid over black with Qt's rounding); a PNG under a .jpg name in
// another alphabet; a 16-bit PNG, which goes to Qt's decoder. PNG rows drawn as they are decoded are the same.
// A caller's limit refuses by the header; a photograph taken sideways arrives upright.
TEST_F(PictureLoader, EveryPictureArrivesWithThePixelsQtDecodesLaidOverBlack) {
    QImage keyed = pattern(37, 21, QImage::Format_Indexed8);
    keyed.setColor(3, keyed.color(3) & 0x00FFFFFF);
    const std::string jpeg = saved(pattern(37, 21), "colour.jpg", "JPEG");
    saved(pattern(64, 33, QImage::Format_Grayscale8), "grey.jpg", "JPEG");
    saved(pattern(37, 21), "colour.bmp", "BMP");
    saved(pattern(37, 21, QImage::Format_RGB888), "fotografía.jpg");
    saved(pattern(37, 21, QImage::Format_ARGB32, true), "clear.png");
    saved(pattern(37, 21, QImage::Format_Grayscale8), "grey.png");
    saved(keyed, "keyed.png");
    saved(pattern(37, 21, QImage::Format_Mono), "mono.png");
    saved(pattern(8, 6, QImage::Format_RGBA64), "deep.png");
    for (const auto& file : std::filesystem::directory_iterator(temp.path()))
        EXPECT_TRUE(load_picture(file.path()).value.bytes == as_qt_reads(file.path()).bytes) << file.path();
    Image32 drawn(37, 21);
    EXPECT_TRUE(stretch_rows_copy(*open_png_file(path("clear.png"), 1 << 20)->decoder, drawn, 0, 0, 37, 21).ok);
    EXPECT_TRUE(drawn.bytes == as_qt_reads(path("clear.png")).bytes);
    EXPECT_THAT(load_picture(path("colour.jpg"), 37 * 21 * 4 - 1).error, HasSubstr("too large to load (37 x 21 pixels)"));
    std::string exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32);
    write_bytes(path("turned.jpg"), jpeg.substr(0, 2) + std::string("\xFF\xE1\0\x22", 4) + exif + jpeg.substr(2));
    EXPECT_EQ(load_picture(path("turned.jpg")).value.width, 21);
}

// One row per reason: nothing is loaded, the message names the file (shortened in its middle past a few hundred
// characters) and why, and the decoders' own lines stay off standard error. A claim is refused before any
// buffer exists.
TEST_F(PictureLoader, WhatIsNoWholePictureIsRefusedWithAMessageNamingTheFileAndWhy) {
    const std::string jpeg = saved(pattern(120, 90), "whole.jpg", "JPEG"), png = saved(pattern(64, 64), "whole.png");
    const std::string deep = saved(pattern(64, 48, QImage::Format_RGBA64), "deep.png"), rle = testing::rle8_bmp(40, 30);
    std::string bmp = saved(pattern(120, 90), "whole.bmp", "BMP").substr(0, 154), claim = bmp, header = png, bloated = png;
    for (size_t at : {18, 22}) claim.replace(at, 4, std::string("\x80\x3E\0\0", 4));  // 16000 x 16000, 24 bits each
    claim[28] = 24;
    header[29] ^= 1;  // the header's checksum: libpng inside Qt would say so on standard error
    bloated.insert(bloated.size() - 12, std::string("\x30\x00\x00\x25tEXtdate:create\0002026", 24));  // claims 805 MB
    const std::string damaged = "is damaged or incomplete (";
    const struct { std::string name, bytes, why; } refused[] = {
        {"empty.jpg", "", "could not be read as a picture"},
        {"gone.bmp", "", "does not exist. Choose another .bmp, .jpg, .png or .gif file."},
        {std::string(300, 'x'), "", "its name is too long for the system"},
        {"cut.jpg", jpeg.substr(0, jpeg.size() / 2), damaged + "Premature end of JPEG file)"},
        {"cut-deep.png", deep.substr(0, deep.size() / 2), damaged},
        {"claim.bmp", claim, "its header claims 16000 x 16000 pixels in 768000054 bytes, but the file holds 154 bytes)"},
        {"cut-rle.bmp", rle.substr(0, rle.size() - 30), damaged + "its data ends after 23 of its 30 rows)"},
        {"negative.bmp", bmp.substr(0, 18) + "\x50\xFB\xFF\xFF" + bmp.substr(22), "its header claims -1200 x 90 pixels)"},
        {"header.png", header, damaged + "IHDR: CRC error)"},
        {"huge.png", testing::png_claiming(png, 16000, 16000), "its header claims 16000 x 16000 pixels, more than its"},
        {"bloated.png", bloated, "a part of it claims more bytes than the file holds"}};  // a libpng reservation
    for (const auto& [name, bytes, why] : refused) {
        if (name != "gone.bmp" && name.size() < 300) write_bytes(path(name), bytes);
        ::testing::internal::CaptureStderr();
        const LoadedPicture loaded = load_picture(path(name));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << name;
        EXPECT_TRUE(!loaded.ok && loaded.value.empty()) << name;
        const std::string full = path(name).string();
        EXPECT_THAT(loaded.error, HasSubstr(full.size() <= 300 ? full : "..." + full.substr(full.size() - 150)));
        EXPECT_LT(loaded.error.size(), 500u) << name;
        EXPECT_THAT(loaded.error, HasSubstr(why));
    }
    // Bytes between two segments that a decoder skips leave every pixel as it was: such a file loads.
    const size_t scan = jpeg.find("\xFF\xDA");
    write_bytes(path("extraneous.jpg"), jpeg.substr(0, scan) + "junk" + jpeg.substr(scan));
    EXPECT_TRUE(load_picture(path("extraneous.jpg")).value.bytes == load_picture(path("whole.jpg")).value.bytes);
}

// Every kind the list offers is one Qt reads (Windows' list is checked by its setup test), and the Load dialog
// offers it.
TEST(PictureKinds, QtReadsEveryKindListedAndTheLoadDialogOffersThemAll) {
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    for (const PictureKind& kind : kPictureKinds)
        for (const QByteArray& extension : QByteArray(kind.extensions).split(' ')) {
            EXPECT_TRUE(readable.contains(extension.mid(1))) << extension.toStdString();
            EXPECT_NE(load_filter().find("*" + extension.toStdString()), std::string::npos) << extension.toStdString();
        }
}

}  // namespace
}  // namespace morvane
