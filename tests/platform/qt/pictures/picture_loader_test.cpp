// The picture loader: every picture arrives with the pixels Qt's own decoding gives it (JPEG straight into
// our pixels, transparency laid over black), and whatever is no picture is refused with a message.
#include "platform/codecs/exif_orientation.h"
#include "platform/codecs/jpeg_decode.h"
#include "platform/codecs/png_decode.h"
#include "platform/codecs/turned_jpeg_rows.h"
#include "platform/codecs/default_picture.h"
#include "platform/qt/pictures/picture_loader.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"

#include <QColor>
#include <QImage>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <jpeglib.h>

#include <algorithm>
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
using testing::png_claiming;
using testing::rle8_bmp;

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

// The CRC-32 that closes a PNG chunk, over its type and data.
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
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 4; ++c) row[size_t(x) * 4 + size_t(c)] = uint8_t((x * (c + 3) + y * (5 - c)) % 256);
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

// Odd sizes, so that partial blocks and subsampled chroma at the edges are covered; a greyscale JPEG widens to
// three equal channels; a PNG under a .jpg name arrives (content decides, not the name). How PNGs are laid
// over black is the row decoder's test below.
TEST_F(PictureLoader, EveryPictureArrivesWithThePixelsQtDecodes) {
    ASSERT_TRUE(pattern(37, 21).save(qpath("colour.jpg"), "JPEG", 90));
    ASSERT_TRUE(pattern(64, 33, QImage::Format_Grayscale8).save(qpath("grey.jpg"), "JPEG", 90));
    ASSERT_TRUE(pattern(37, 21).save(qpath("colour.bmp"), "BMP"));
    ASSERT_TRUE(pattern(37, 21, QImage::Format_RGB888).save(qpath("fotografía.jpg"), "PNG"));
    for (const char* name : {"colour.jpg", "grey.jpg", "colour.bmp", "fotografía.jpg"}) {
        const LoadedPicture loaded = load_picture(path(name));
        ASSERT_TRUE(loaded.ok) << loaded.error;
        const Image32 expected = as_qt_reads(qpath(name));
        ASSERT_EQ(loaded.value.width, expected.width) << name;
        EXPECT_TRUE(loaded.value.bytes == expected.bytes) << name;
    }
}

// Which files are no ordinary file is the input file's test; one of them (a folder) shows its reason passed on.
TEST_F(PictureLoader, WhatIsNoPictureIsRefusedWithAMessageNamingTheFileAndNoPicture) {
    write_bytes(path("notes.jpg"), "these are not pixels\n");
    std::filesystem::create_directory(path("album.jpg"));
    // A small JPEG whose frame header announces 30000 x 30000 pixels: 3.6 GB once decoded.
    ASSERT_TRUE(pattern(16, 16).save(qpath("huge.jpg"), "JPEG"));
    std::string jpeg = read_bytes(path("huge.jpg"));
    const size_t frame = jpeg.find("\xFF\xC0");
    for (size_t at : {5, 7}) jpeg.replace(frame + at, 2, "\x75\x30");  // height, width: 30000
    write_bytes(path("huge.jpg"), jpeg);
    ASSERT_TRUE(pattern(40, 30).save(qpath("pattern.bmp"), "BMP"));

    const std::string too_long(300, 'x');
    for (const auto& [name, why] : {std::pair{"notes.jpg", "could not be read as a picture"}, {"album.jpg", "is a folder"},
                                    {"huge.jpg", "too large to load (30000 x 30000 pixels)"},
                                    {too_long.c_str(), "its name is too long for the system"}}) {
        const LoadedPicture loaded = load_picture(path(name));
        EXPECT_TRUE(loaded.value.empty()) << name;
        // A name past a few hundred characters is shortened in its middle; its end stays.
        const std::string full = path(name).string();
        EXPECT_THAT(loaded.error, HasSubstr(full.size() <= 300 ? full : "..." + full.substr(full.size() - 150)));
        EXPECT_LT(loaded.error.size(), 500u) << name;
        EXPECT_THAT(loaded.error, HasSubstr(why));
        EXPECT_THAT(loaded.error, ::testing::ContainsRegex("[Cc]hoose"));
    }
    EXPECT_THAT(load_picture(path("notes.jpg")).error, HasSubstr("Choose a .bmp, .jpg or .png file."));
    // A caller's lower limit refuses a picture by its header.
    EXPECT_THAT(load_picture(path("pattern.bmp"), 40 * 30 * 4 - 1).error, HasSubstr("too large to load (40 x 30 pixels)"));
    EXPECT_TRUE(load_picture(path("pattern.bmp"), 40 * 30 * 4).ok);
}

// A download cut off part way, a file damaged in its data, a header that claims far more than the file holds:
// what a decoder would show is not the picture (grey or black rows where the photograph ends), so nothing is
// loaded, and the message says the file is damaged. A header's claim is refused before any buffer exists. The
// decoders' own lines ("libpng error: ...", "qt.gui.imageio.jpeg: ...") do not reach standard error: the
// loader's message says what happened, once.
TEST_F(PictureLoader, APictureThatIsNotWholeIsRefusedAsDamagedOrIncomplete) {
    ASSERT_TRUE(pattern(120, 90).save(qpath("whole.jpg"), "JPEG", 90));
    const std::string jpeg = read_bytes(path("whole.jpg"));
    write_bytes(path("cut.jpg"), jpeg.substr(0, jpeg.size() / 2));
    const size_t scan = jpeg.find("\xFF\xDA");
    ASSERT_TRUE(pattern(120, 90).save(qpath("whole.bmp"), "BMP"));
    const std::string bmp = read_bytes(path("whole.bmp"));
    // 154 bytes whose header claims 16000 x 16000 pixels, 24 bits each: 768 MB of rows.
    std::string claim = bmp.substr(0, 154);
    for (size_t at : {18, 22}) claim.replace(at, 4, std::string("\x80\x3E\0\0", 4));
    claim[28] = 24;
    write_bytes(path("claim.bmp"), claim);
    const std::string rle = rle8_bmp(40, 30);
    write_bytes(path("whole-rle.bmp"), rle);
    write_bytes(path("cut-rle.bmp"), rle.substr(0, rle.size() - 30));
    write_bytes(path("negative.bmp"), bmp.substr(0, 18) + std::string("\x50\xFB\xFF\xFF", 4) + bmp.substr(22));
    ASSERT_TRUE(load_picture(path("whole-rle.bmp")).ok) << load_picture(path("whole-rle.bmp")).error;
    ASSERT_TRUE(pattern(64, 64).save(qpath("whole.png"), "PNG"));
    const std::string png = read_bytes(path("whole.png"));
    std::string broken = png;
    broken[29] ^= 1;  // the header's checksum: libpng inside Qt would say so on standard error
    write_bytes(path("header.png"), broken);
    write_bytes(path("huge.png"), png_claiming(png, 16000, 16000));
    // A text part after the pixels that claims 805 MB: libpng would reserve all of it (found by fuzzing).
    write_bytes(path("bloated.png"), png.substr(0, png.size() - 12) +
                                         std::string("\x30\x00\x00\x25tEXtdate:create\0002026", 24) +
                                         png.substr(png.size() - 12));
    // A CMYK JPEG goes to Qt's decoder, whose words for the cut are caught, not printed.
    const std::string cmyk = cmyk_jpeg(160, 120);
    write_bytes(path("cmyk.jpg"), cmyk);
    ASSERT_TRUE(load_picture(path("cmyk.jpg")).ok) << load_picture(path("cmyk.jpg")).error;
    write_bytes(path("cut-cmyk.jpg"), cmyk.substr(0, cmyk.size() / 2));
    // Libjpeg's words for the damage (here a cut) are passed on; each chunk's checksum is held against it.
    for (const auto& [name, why] : {std::pair<const char*, std::string>{"cut.jpg", "(Premature end of JPEG file)"},
                                    {"claim.bmp", "(its header claims 16000 x 16000 pixels in 768000054 bytes, but the file holds 154 bytes)"},
                                    {"cut-rle.bmp", "(its data ends after 23 of its 30 rows)"},
                                    {"negative.bmp", "(its header claims -1200 x 90 pixels)"},
                                    {"header.png", "(IHDR: CRC error)"},
                                    // Deflate makes at most 1032 bytes of one: 280 bytes cannot fill a gigabyte.
                                    {"huge.png", "(its header claims 16000 x 16000 pixels, more than its 280 bytes of compressed data can hold)"},
                                    {"bloated.png", "(a part of it claims more bytes than the file holds)"},
                                    {"cut-cmyk.jpg", "("}}) {
        ::testing::internal::CaptureStderr();
        const LoadedPicture loaded = load_picture(path(name));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << name;
        EXPECT_TRUE(loaded.value.empty()) << name;
        EXPECT_THAT(loaded.error, HasSubstr("The picture \"" + path(name).string() + "\" is damaged or incomplete " + why));
    }
    // Bytes between two segments that a decoder skips leave every pixel as it was: such a file loads.
    write_bytes(path("extraneous.jpg"), jpeg.substr(0, scan) + "junk" + jpeg.substr(scan));
    const LoadedPicture extraneous = load_picture(path("extraneous.jpg"));
    ASSERT_TRUE(extraneous.ok) << extraneous.error;
    EXPECT_TRUE(extraneous.value.bytes == load_picture(path("whole.jpg")).value.bytes);
}

// Rows taken a few at a time are the rows of the whole picture, and a photograph taken sideways is opened as
// stored with its tag, for the caller to decide, and loaded upright. A file that ends early stops giving rows
// where it ends, and says so. A file that is no JPEG, or holds more pixels than the limit, is not opened, and
// the whole-picture decoder declines the latter, with the size its header claims, for the message.
TEST_F(PictureLoader, AJpegReadInBandsGivesTheWholePicturesRowsAndItsOrientation) {
    ASSERT_TRUE(pattern(123, 77).save(qpath("colour.jpg"), "JPEG", 85));
    const std::string whole = read_bytes(path("colour.jpg"));
    write_bytes(path("cut.jpg"), whole.substr(0, whole.size() * 2 / 3));
    {
        std::optional<JpegFile> cut = open_jpeg_file(path("cut.jpg"), 1 << 20);
        ASSERT_TRUE(cut.has_value());
        Image32 rows = Image32::unfilled(cut->decoder->width(), cut->decoder->height());
        int y = 0;
        for (uint8_t* row[1]; y < rows.height; ++y)
            if (row[0] = rows.row(y); !cut->decoder->read_rows(row, 1)) break;
        EXPECT_LT(y, rows.height);
        EXPECT_EQ(cut->decoder->damage(), "Premature end of JPEG file");
    }
    std::optional<JpegFile> jpeg = open_jpeg_file(path("colour.jpg"), 1 << 20);
    ASSERT_TRUE(jpeg.has_value());
    const std::optional<Image32> expected = decode_jpeg(jpeg->bytes.data(), jpeg->bytes.size(), 1 << 20).picture;
    ASSERT_TRUE(expected.has_value());
    JpegDecoder& decoder = *jpeg->decoder;
    EXPECT_EQ(decoder.orientation(), 1);
    Image32 bands = Image32::unfilled(decoder.width(), decoder.height());
    for (int y = 0, band = 1; y < bands.height; y += band, band = band % 7 + 1) {
        const int count = std::min(band, bands.height - y);
        std::vector<uint8_t*> rows;
        for (int i = 0; i < count; ++i) rows.push_back(bands.row(y + i));
        ASSERT_TRUE(decoder.read_rows(rows.data(), count)) << "row " << y;
    }
    EXPECT_TRUE(bands.bytes == expected->bytes);
    uint8_t* past[1] = {bands.row(0)};
    EXPECT_FALSE(decoder.read_rows(past, 1)) << "a row past the last";

    // A camera's EXIF block, little-endian, saying the picture's top lies on the right of the stored pixels.
    const std::string exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32);
    const std::string app1 = std::string("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif;
    write_bytes(path("turned.jpg"), whole.substr(0, 2) + app1 + whole.substr(2));
    std::optional<JpegFile> turned = open_jpeg_file(path("turned.jpg"), 1 << 20);
    ASSERT_TRUE(turned.has_value());
    EXPECT_EQ(turned->decoder->orientation(), 6);
    EXPECT_EQ(turned->decoder->width(), 123) << "as stored";
    const LoadedPicture turned_upright = load_picture(path("turned.jpg"));
    EXPECT_EQ(turned_upright.value.width, 77) << "turned by the loader";
    ASSERT_TRUE(pattern(20, 10).save(qpath("picture.bmp"), "BMP"));
    EXPECT_FALSE(open_jpeg_file(path("picture.bmp"), 1 << 20).has_value());
    EXPECT_FALSE(open_jpeg_file(path("colour.jpg"), 123 * 77 * 4 - 1).has_value()) << "over the limit";
    const DecodedJpeg over = decode_jpeg(jpeg->bytes.data(), jpeg->bytes.size(), 123 * 77 * 4 - 1);
    EXPECT_FALSE(over.picture.has_value());
    EXPECT_TRUE(over.too_large);
    EXPECT_EQ(over.width * over.height, 123 * 77);
    EXPECT_TRUE(decode_jpeg(jpeg->bytes.data(), jpeg->bytes.size(), 123 * 77 * 4).picture.has_value());
}

// The whole picture as stored, every row read in order, then turned: what a sideways picture must equal.
Image32 decoded_then_turned(const std::string& jpeg, int orientation) {
    JpegDecoder decoder(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size(), 1 << 24);
    Image32 stored = Image32::unfilled(decoder.width(), decoder.height());
    for (int y = 0; y < stored.height; ++y) {
        uint8_t* row[1] = {stored.row(y)};
        EXPECT_TRUE(decoder.read_rows(row, 1));
    }
    return upright(std::move(stored), orientation);
}

// A photograph taken sideways, decoded a band of its columns at a time (libjpeg decoding only those columns),
// gives the pixels of the whole picture decoded and then turned, for all four sideways tags, for bands of one
// column, of a few and of all, and with subsampled colour whose blocks straddle the bands' edges.
TEST_F(PictureLoader, ASidewaysJpegTurnedInBandsHasThePixelsOfTheWholePictureTurned) {
    ASSERT_TRUE(pattern(301, 157).save(qpath("sideways.jpg"), "JPEG", 85));
    const std::string jpeg = read_bytes(path("sideways.jpg"));
    const auto* bytes = reinterpret_cast<const uint8_t*>(jpeg.data());
    for (int orientation = 5; orientation <= 8; ++orientation) {
        const Image32 expected = decoded_then_turned(jpeg, orientation);
        for (int columns : {1, 13, 301}) {
            TurnedJpegRows turned(bytes, jpeg.size(), 1 << 24, orientation, size_t(columns) * 157 * 4);
            ASSERT_EQ(turned.width(), 157);
            ASSERT_EQ(turned.height(), 301);
            Image32 rows = Image32::unfilled(157, 301);
            for (int y = 0; y < rows.height; y += 5) {
                uint8_t* five[5];
                const int count = std::min(5, rows.height - y);
                for (int i = 0; i < count; ++i) five[i] = rows.row(y + i);
                ASSERT_TRUE(turned.read_rows(five, count)) << orientation << " row " << y;
            }
            EXPECT_TRUE(rows.bytes == expected.bytes) << "orientation " << orientation << ", bands of " << columns;
        }
    }
    write_bytes(path("cut.jpg"), jpeg.substr(0, jpeg.size() / 2));
    const std::string cut = read_bytes(path("cut.jpg"));
    TurnedJpegRows turned(reinterpret_cast<const uint8_t*>(cut.data()), cut.size(), 1 << 24, 6);
    std::vector<uint8_t> row(157 * 4);
    uint8_t* one[1] = {row.data()};
    EXPECT_FALSE(turned.read_rows(one, 1));
    EXPECT_EQ(turned.damage(), "Premature end of JPEG file");
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
    for (const char* name : {"deep.png", "cut.png"})
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
