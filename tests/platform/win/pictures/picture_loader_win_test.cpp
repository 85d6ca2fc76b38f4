// Pictures through the Windows Imaging Component: the same pixels, limit and messages as the Qt loader.
#include "platform/codecs/default_picture.h"
#include "platform/codecs/exif_orientation.h"
#include "platform/pictures/streamed_stretch.h"
#include "platform/pictures/stretch_copy.h"
#include "platform/win/pictures/picture_loader.h"
#include "tests/platform/win/pictures/wic_pictures.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct PictureLoaderOnWindows : ::testing::Test {
    fs::path path(const char8_t* name) const { return temp / std::u8string(name); }
    std::string shown(const char8_t* name) const {
        const std::u8string u8 = path(name).u8string();
        return std::string(u8.begin(), u8.end());
    }
    const TempFolder temp;
};

void expect_picture(const LoadedPicture& loaded, const Image32& expected, int tolerance, const char* what) {
    const int w = expected.width, h = expected.height;
    ASSERT_TRUE(loaded.ok) << what << ": " << loaded.error;
    ASSERT_EQ(loaded.value.width, w) << what;
    ASSERT_EQ(loaded.value.height, h) << what;
    int worst = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Bgra a = loaded.value.pixel(x, y), b = expected.pixel(x, y);
            ASSERT_EQ(a.a, 255);
            worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
        }
    EXPECT_LE(worst, tolerance) << what;
}

// BMP and PNG exactly, JPEG closely; names in other alphabets, and the content decides, not the name.
TEST_F(PictureLoaderOnWindows, BmpPngAndJpegArriveTopRowFirstWithRedInTheThirdByte) {
    const Image32 picture = pattern(37, 21);
    write_bytes(path(u8"картина.bmp"), bmp24(picture));
    ASSERT_TRUE(write_with_system_encoder(path(u8"写真.png"), picture, GUID_ContainerFormatPng));
    ASSERT_TRUE(write_with_system_encoder(path(u8"fotografía.jpg"), gradient(64, 48), GUID_ContainerFormatJpeg));
    write_bytes(path(u8"really a bmp.jpg"), bmp24(picture));
    expect_picture(load_picture(path(u8"картина.bmp")), picture, 0, "bmp");
    expect_picture(load_picture(path(u8"写真.png")), picture, 0, "png");
    expect_picture(load_picture(path(u8"really a bmp.jpg")), picture, 0, "bmp named .jpg");
    expect_picture(load_picture(path(u8"fotografía.jpg")), gradient(64, 48), 8, "jpeg");

    // Transparent parts are laid over black and come out opaque.
    Image32 clear = picture, over_black = picture;
    for (int y = 0; y < 21; ++y) {
        clear.set_pixel(0, y, {255, 255, 255, 0});
        over_black.set_pixel(0, y, {0, 0, 0, 255});
    }
    ASSERT_TRUE(write_with_system_encoder(path(u8"clear.png"), clear, GUID_ContainerFormatPng, true));
    expect_picture(load_picture(path(u8"clear.png")), over_black, 0, "png with transparency");
}

// The system reports a TIFF's orientation tag; a JPEG's is read from its EXIF block: the picture comes out
// upright for every tag, whole or a band of its rows or columns at a time, and drawn as it is decoded it
// gives the pixels of the whole picture drawn.
TEST_F(PictureLoaderOnWindows, APictureTaggedAsTurnedComesOutUprightWholeOrInBands) {
    const Image32 stored = pattern(37, 21);
    for (int tag = 1; tag <= 8; ++tag) {
        const fs::path file = temp / ("turned " + std::to_string(tag) + ".tif");
        write_bytes(file, tiff_rgb(stored, tag));
        const LoadedPicture whole = load_picture(file);
        expect_picture(whole, upright(stored, tag), 0, "whole");
        Image32 expected(30, 17);
        stretch_copy(whole.value, expected, 0, 0, 30, 17);
        for (const size_t band_bytes : {size_t(1), size_t(5 * 37 * 4), size_t(1) << 20}) {
            Result<std::unique_ptr<PictureRows>> rows = open_picture_rows(file, band_bytes);
            ASSERT_TRUE(rows.ok) << rows.error;
            Image32 drawn(30, 17);
            EXPECT_TRUE(stretch_rows_copy(*rows.value, drawn, 0, 0, 30, 17).ok);
            EXPECT_TRUE(drawn.bytes == expected.bytes) << "tag " << tag << ", bands of " << band_bytes << " bytes";
        }
    }
    // A JPEG's EXIF tag, which Wine's decoder does not report, is read from the file.
    ASSERT_TRUE(write_with_system_encoder(temp / "upright.jpg", gradient(64, 48), GUID_ContainerFormatJpeg));
    const std::string jpeg = read_bytes(temp / "upright.jpg");
    const LoadedPicture upright_jpeg = load_picture(temp / "upright.jpg");
    for (int tag = 2; tag <= 8; ++tag) {
        std::string exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32);
        exif[24] = char(tag);
        write_bytes(temp / "tagged.jpg", jpeg.substr(0, 2) + std::string("\xFF\xE1\0\x22", 4) + exif + jpeg.substr(2));
        expect_picture(load_picture(temp / "tagged.jpg"), upright(upright_jpeg.value, tag), 0,
                       ("jpeg tagged " + std::to_string(tag)).c_str());
    }
}

TEST_F(PictureLoaderOnWindows, WhatIsNoPictureIsRefusedWithAMessageNamingTheFile) {
    write_bytes(path(u8"notes é.jpg"), "these are not pixels\n");
    fs::create_directory(path(u8"album.jpg"));
    const std::string whole = bmp24(pattern(200, 200));
    write_bytes(path(u8"cut.bmp"), whole.substr(0, 200));
    write_bytes(path(u8"empty.png"), "");
    // A BMP whose header announces 30000 x 30000 pixels (3.6 GB once decoded) in a few bytes.
    write_bytes(path(u8"huge.bmp"), bmp24(pattern(4, 4), 30000, 30000));
    ASSERT_TRUE(write_with_system_encoder(path(u8"whole.jpg"), gradient(640, 480), GUID_ContainerFormatJpeg));
    write_bytes(path(u8"cut.jpg"), read_bytes(path(u8"whole.jpg")).substr(0, 3000));
    // What the system's decoders take as whole: scan data ending in a stray marker, wrong checksums, no end
    // chunk, run-length coded rows cut short, a header claiming what its data cannot hold, a negative width.
    std::string jpeg = read_bytes(path(u8"whole.jpg"));
    jpeg.replace(jpeg.find("\xFF\xDA") + 400, 2, "\xFF\xD3");
    write_bytes(path(u8"damaged.jpg"), jpeg);
    ASSERT_TRUE(write_with_system_encoder(path(u8"whole.png"), pattern(64, 64), GUID_ContainerFormatPng));
    const std::string png = read_bytes(path(u8"whole.png"));
    std::string crc = png;
    crc[png.size() - 13] ^= 0x55;  // the last byte of the checksum before the end chunk
    write_bytes(path(u8"crc.png"), crc);
    write_bytes(path(u8"open.png"), png.substr(0, png.size() - 12));
    write_bytes(path(u8"claim.png"), png_claiming(png, 16000, 16000));
    const std::string rle = rle8_bmp(40, 30);
    write_bytes(path(u8"cut-rle.bmp"), rle.substr(0, rle.size() - 30));
    write_bytes(path(u8"negative.bmp"), bmp24(pattern(4, 4), -1200, 750));
    const struct {
        const char8_t* name;
        const char* says;
    } cases[] = {{u8"missing.jpg", "does not exist"},     {u8"notes é.jpg", "could not be read as a picture"},
                 {u8"NUL", "is not an ordinary file"},  // the device, in every folder
                 {u8"album.jpg", "is a folder"},
                 {u8"cut.bmp", "is damaged or incomplete (its header claims 200 x 200 pixels in 120054 bytes, but the file holds 200 bytes)"},
                 {u8"empty.png", "could not be read"},
                 {u8"huge.bmp", "is damaged or incomplete (its header claims 30000 x 30000 pixels"},
                 {u8"cut.jpg", "is damaged or incomplete ("},
                 {u8"damaged.jpg", "is damaged or incomplete (Corrupt JPEG data: found marker 0xd3 instead of RST0)"},
                 {u8"crc.png", "is damaged or incomplete (IDAT: CRC error)"},
                 {u8"open.png", "is damaged or incomplete (the file ends early)"},
                 {u8"claim.png", "(its header claims 16000 x 16000 pixels, more than its "},
                 {u8"cut-rle.bmp", "is damaged or incomplete (its data ends after 23 of its 30 rows)"},
                 {u8"negative.bmp", "is damaged or incomplete (its header claims -1200 x 750 pixels)"}};
    for (const auto& c : cases) {
        const LoadedPicture loaded = load_picture(path(c.name));
        EXPECT_FALSE(loaded.ok) << shown(c.name);
        EXPECT_TRUE(loaded.value.empty()) << shown(c.name);
        EXPECT_THAT(loaded.error, HasSubstr(c.says)) << shown(c.name);
        EXPECT_THAT(loaded.error, HasSubstr("\"" + shown(c.name) + "\""));
    }
}

TEST(DefaultPictureOnWindows, TheBuiltInPhotographDecodesAtFullSize) {
    const Image32& picture = default_picture();
    ASSERT_EQ(picture.width, 1024);
    ASSERT_EQ(picture.height, 1024);
    // Not the plain night blue of a failed decode.
    EXPECT_NE(picture.pixel(0, 0), picture.pixel(700, 300));
}

}  // namespace
}  // namespace morvane::testing
