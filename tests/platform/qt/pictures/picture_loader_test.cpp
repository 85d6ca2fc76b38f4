// The picture loader: every picture arrives with the pixels Qt's own decoding gives it (JPEG and PNG straight
// into our pixels, transparency laid over black), and whatever is no whole picture is refused with a message.
#include "platform/codecs/default_picture.h"
#include "platform/codecs/exif_orientation.h"
#include "platform/codecs/jpeg_decode.h"
#include "platform/codecs/png_decode.h"
#include "platform/codecs/turned_jpeg_rows.h"
#include "platform/qt/pictures/picture_loader.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"

#include <QImage>
#include <QImageReader>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <jpeglib.h>

#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
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
    std::filesystem::path path(const std::string& name) const { return temp / std::filesystem::u8path(name); }
    QString qpath(const std::string& name) const { return QString::fromStdString(path(name).string()); }
    std::string saved(const QImage& image, const std::string& name, const char* format, int quality = 90) const {
        EXPECT_TRUE(image.save(qpath(name), format, quality)) << name;
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

// A CMYK JPEG, which the program's own decoder leaves to Qt's, from libjpeg's own encoder.
std::string cmyk_jpeg(int w, int h) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(w);
    info.image_height = JDIMENSION(h);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(size_t(w) * 4);
    for (int y = 0; y < h; ++y) {
        for (size_t i = 0; i < row.size(); ++i) row[i] = uint8_t((i * 3 + size_t(y) * 5) % 256);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(out), size);
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
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

// `jpeg` with a camera's EXIF block saying how the stored pixels are to be turned.
std::string with_orientation(const std::string& jpeg, char tag) {
    std::string exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32);
    exif[22] = tag;
    return jpeg.substr(0, 2) + std::string("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif + jpeg.substr(2);
}

// Odd sizes, so that partial blocks and subsampled chroma at the edges show; every kind of PNG libpng decodes
// row by row (transparency and a colour key laid over black with Qt's rounding); a PNG under a .jpg name and a
// name in another alphabet; a CMYK JPEG and a 16-bit PNG, which go to Qt's decoders.
TEST_F(PictureLoader, EveryPictureArrivesWithThePixelsQtDecodesLaidOverBlack) {
    QImage keyed = pattern(37, 21, QImage::Format_Indexed8);
    keyed.setColor(3, keyed.color(3) & 0x00FFFFFF);
    saved(pattern(37, 21), "colour.jpg", "JPEG");
    saved(pattern(64, 33, QImage::Format_Grayscale8), "grey.jpg", "JPEG");
    saved(pattern(37, 21), "colour.bmp", "BMP");
    saved(pattern(37, 21, QImage::Format_RGB888), "fotografía.jpg", "PNG");
    saved(pattern(37, 21, QImage::Format_ARGB32, true), "clear.png", "PNG");
    saved(pattern(37, 21, QImage::Format_Grayscale8), "grey.png", "PNG");
    saved(keyed, "keyed.png", "PNG");
    saved(pattern(37, 21, QImage::Format_Mono), "mono.png", "PNG");
    saved(pattern(8, 6, QImage::Format_RGBA64), "deep.png", "PNG");
    write_bytes(path("cmyk.jpg"), cmyk_jpeg(40, 30));
    for (const char* name : {"colour.jpg", "grey.jpg", "colour.bmp", "fotografía.jpg", "clear.png", "grey.png",
                             "keyed.png", "mono.png", "deep.png", "cmyk.jpg"}) {
        const LoadedPicture loaded = load_picture(path(name));
        ASSERT_TRUE(loaded.ok) << loaded.error;
        const Image32 expected = as_qt_reads(qpath(name));
        ASSERT_EQ(loaded.value.width, expected.width) << name;
        EXPECT_TRUE(loaded.value.bytes == expected.bytes) << name;
    }
    // A name that is no UTF-8 is the system's bytes all the same; a caller's limit refuses by the header.
    const std::filesystem::path odd = temp / std::string("foto\xE9\xFF.bmp");
    std::filesystem::rename(path("colour.bmp"), odd);
    EXPECT_EQ(load_picture(odd).value.width, 37);
    EXPECT_THAT(load_picture(odd, 37 * 21 * 4 - 1).error, HasSubstr("too large to load (37 x 21 pixels)"));
    EXPECT_THAT(load_picture(path("colour.jpg"), 37 * 21 * 4 - 1).error, HasSubstr("too large to load (37 x 21 pixels)"));
    // A photograph taken sideways arrives upright.
    write_bytes(path("turned.jpg"), with_orientation(read_bytes(path("colour.jpg")), 6));
    EXPECT_EQ(load_picture(path("turned.jpg")).value.width, 21);
}

// No picture, a download cut off part way, data damaged, a header that claims far more than the file holds:
// nothing is loaded, the message names the file (shortened in its middle past a few hundred characters) and
// why, and the decoders' own lines stay off standard error. A claim is refused before any buffer exists.
TEST_F(PictureLoader, WhatIsNoWholePictureIsRefusedWithAMessageNamingTheFileAndWhy) {
    write_bytes(path("notes.jpg"), "these are not pixels\n");
    std::filesystem::create_directory(path("album.jpg"));
    ASSERT_EQ(::mkfifo(path("pipe.jpg").c_str(), 0600), 0);  // opening it would wait for a writer for ever
    const std::string jpeg = saved(pattern(120, 90), "whole.jpg", "JPEG");
    write_bytes(path("cut.jpg"), jpeg.substr(0, jpeg.size() / 2));
    std::string damaged = jpeg;
    const size_t scan = damaged.find("\xFF\xDA");
    for (size_t i = scan + 40; i < scan + 200; ++i) damaged[i] = char(0xFF);  // markers where data belongs
    write_bytes(path("damaged.jpg"), damaged);
    const std::string cmyk = cmyk_jpeg(160, 120);
    write_bytes(path("cut-cmyk.jpg"), cmyk.substr(0, cmyk.size() / 2));
    std::string huge = saved(pattern(16, 16), "huge.jpg", "JPEG");
    for (size_t at : {5, 7}) huge.replace(huge.find("\xFF\xC0") + at, 2, "\xFF\xFF");  // 65535 x 65535
    write_bytes(path("huge.jpg"), huge);
    const std::string bmp = saved(pattern(120, 90), "whole.bmp", "BMP");
    write_bytes(path("cut.bmp"), bmp.substr(0, bmp.size() - 121 * 4));
    std::string claim = bmp.substr(0, 154);  // a header claiming 16000 x 16000 pixels, 24 bits each
    for (size_t at : {18, 22}) claim.replace(at, 4, std::string("\x80\x3E\0\0", 4));
    claim[28] = 24;
    write_bytes(path("claim.bmp"), claim);
    const std::string rle = testing::rle8_bmp(40, 30);
    write_bytes(path("cut-rle.bmp"), rle.substr(0, rle.size() - 30));
    write_bytes(path("negative.bmp"), bmp.substr(0, 18) + std::string("\x50\xFB\xFF\xFF", 4) + bmp.substr(22));
    const std::string png = saved(pattern(64, 64), "whole.png", "PNG");
    std::string broken = png;
    broken[png.find("IDAT") + 10] ^= 0x55;
    write_bytes(path("broken.png"), broken);
    broken = png;
    broken[29] ^= 1;  // the header's checksum: libpng inside Qt would say so on standard error
    write_bytes(path("header.png"), broken);
    write_bytes(path("huge.png"), testing::png_claiming(png, 16000, 16000));
    std::string bloated = png;  // a text part that claims 805 MB: libpng would reserve all of it
    bloated.insert(bloated.size() - 12, std::string("\x30\x00\x00\x25tEXtdate:create\0002026", 24));
    write_bytes(path("bloated.png"), bloated);
    const std::string too_long(300, 'x');
    const std::string damaged_as = "is damaged or incomplete (";
    const std::pair<std::string, std::string> refused[] = {
        {"notes.jpg", "could not be read as a picture"},
        {"gone.bmp", "does not exist. Choose another .bmp, .jpg, .png or .gif file."},
        {"album.jpg", "is a folder"},
        {"pipe.jpg", "is not an ordinary file"},
        {too_long, "its name is too long for the system"},
        {"cut.jpg", damaged_as + "Premature end of JPEG file)"},
        {"damaged.jpg", damaged_as + "Corrupt JPEG data"},
        {"cut-cmyk.jpg", damaged_as},
        {"huge.jpg", "is too large to load (65535 x 65535 pixels)"},
        {"cut.bmp", damaged_as + "its header claims 120 x 90 pixels in " + std::to_string(bmp.size()) +
                        " bytes, but the file holds " + std::to_string(bmp.size() - 121 * 4) + " bytes)"},
        {"claim.bmp", damaged_as + "its header claims 16000 x 16000 pixels in 768000054 bytes, but the file holds 154 bytes)"},
        {"cut-rle.bmp", damaged_as + "its data ends after 23 of its 30 rows)"},
        {"negative.bmp", damaged_as + "its header claims -1200 x 90 pixels)"},
        {"broken.png", damaged_as + "IDAT: CRC error)"},
        {"header.png", damaged_as + "IHDR: CRC error)"},
        {"huge.png", "its header claims 16000 x 16000 pixels, more than its"},  // compressed data can hold
        {"bloated.png", "a part of it claims more bytes than the file holds"}};
    for (const auto& [name, why] : refused) {
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
    write_bytes(path("extraneous.jpg"), jpeg.substr(0, scan) + "junk" + jpeg.substr(scan));
    EXPECT_TRUE(load_picture(path("extraneous.jpg")).value.bytes == load_picture(path("whole.jpg")).value.bytes);
}

// Rows `count` at a time, then one past the last, which fails.
Outcome read_in_bands(RowSource& rows, Image32& into, int count) {
    into = Image32::unfilled(rows.width(), rows.height());
    for (int y = 0; y < into.height; y += count) {
        std::vector<uint8_t*> band;
        for (int i = 0; i < std::min(count, into.height - y); ++i) band.push_back(into.row(y + i));
        if (Outcome read = rows.read_rows(band.data(), int(band.size())); !read.ok) return read;
    }
    uint8_t* past[1] = {into.row(0)};
    EXPECT_FALSE(rows.read_rows(past, 1).ok) << "a row past the last";
    return Outcome::done();
}

// The row decoders give the whole picture's rows, a few at a time; a photograph taken sideways, decoded a band
// of its columns at a time (one column, a few, all; subsampled colour straddling the bands' edges), gives the
// whole picture's pixels turned, for all four sideways tags. A file that ends early fails in libjpeg's words.
TEST_F(PictureLoader, RowDecodersGiveTheWholePicturesRowsAndSayWhereTheFileBreaksOff) {
    const std::string jpeg = saved(pattern(301, 157), "colour.jpg", "JPEG", 85);
    saved(pattern(37, 21, QImage::Format_ARGB32, true), "clear.png", "PNG");
    const LoadedPicture whole = load_picture(path("colour.jpg"));
    Image32 rows;
    std::optional<JpegFile> opened = open_jpeg_file(path("colour.jpg"), 1 << 20);
    ASSERT_TRUE(opened.has_value());
    ASSERT_TRUE(read_in_bands(*opened->decoder, rows, 7).ok);
    EXPECT_TRUE(rows.bytes == whole.value.bytes);
    std::optional<PngFile> png = open_png_file(path("clear.png"), 1 << 20);
    ASSERT_TRUE(png.has_value());
    ASSERT_TRUE(read_in_bands(*png->decoder, rows, 2).ok);
    EXPECT_TRUE(rows.bytes == as_qt_reads(qpath("clear.png")).bytes);

    const auto* bytes = reinterpret_cast<const uint8_t*>(jpeg.data());
    for (int orientation = 5; orientation <= 8; ++orientation) {
        const Image32 expected = upright(Image32(whole.value), orientation);
        for (int columns : {1, 13, 301}) {
            TurnedJpegRows turned(bytes, jpeg.size(), 1 << 24, orientation, size_t(columns) * 157 * 4);
            ASSERT_TRUE(read_in_bands(turned, rows, 5).ok);
            EXPECT_TRUE(rows.bytes == expected.bytes) << "orientation " << orientation << ", bands of " << columns;
        }
    }
    const std::string cut = jpeg.substr(0, jpeg.size() / 2);
    const auto* cut_bytes = reinterpret_cast<const uint8_t*>(cut.data());
    JpegDecoder straight(cut_bytes, cut.size(), 1 << 24);
    TurnedJpegRows turned(cut_bytes, cut.size(), 1 << 24, 6);
    for (RowSource* decoder : {static_cast<RowSource*>(&straight), static_cast<RowSource*>(&turned)})
        EXPECT_EQ(read_in_bands(*decoder, rows, 16).error, "Premature end of JPEG file");

    // Opened only for a file of its kind within the limit, with its tag for the caller to decide.
    write_bytes(path("turned.jpg"), with_orientation(jpeg, 6));
    EXPECT_EQ(open_jpeg_file(path("turned.jpg"), 1 << 20)->decoder->orientation(), 6);
    std::filesystem::create_directory(path("folder.jpg"));
    saved(pattern(8, 6, QImage::Format_RGBA64), "deep.png", "PNG");
    for (const char* name : {"clear.png", "folder.jpg", "missing.jpg"})
        EXPECT_FALSE(open_jpeg_file(path(name), 1 << 20).has_value()) << name;
    EXPECT_FALSE(open_jpeg_file(path("colour.jpg"), 301 * 157 * 4 - 1).has_value()) << "over the limit";
    for (const char* name : {"colour.jpg", "deep.png", "missing.png"})
        EXPECT_FALSE(open_png_file(path(name), 1 << 20).has_value()) << name;
}

// Every kind the list offers is one Qt reads (Windows' list is checked by its setup test), and the Load dialog
// offers its old entry first, then every kind that one leaves out.
TEST(PictureKinds, QtReadsEveryKindListedAndTheLoadDialogOffersThemAll) {
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    for (const PictureKind& kind : kPictureKinds)
        for (const QByteArray& extension : QByteArray(kind.extensions).split(' '))
            EXPECT_TRUE(readable.contains(extension.mid(1))) << extension.toStdString();
    EXPECT_EQ(load_filter(), "Picture File(*.bmp,*.jpg)|*.bmp;*.jpg|JPEG File(*.jpg,*.jpeg)|*.jpg;*.jpeg|"
                             "PNG File(*.png)|*.png|GIF File(*.gif)|*.gif");
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
