// Pictures loaded on Windows: the same pixels, limit and messages as the Qt loader.
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
    const TempFolder temp;
};

// Every byte of every pixel (blue, green, red, opaque) within `tolerance` of the expected picture's.
void expect_picture(const LoadedPicture& loaded, const Image32& expected, int tolerance, const std::string& what) {
    ASSERT_TRUE(loaded.ok && loaded.value.width == expected.width && loaded.value.height == expected.height) << what << ": " << loaded.error;
    for (size_t i = 0; i < expected.bytes.size(); ++i)
        ASSERT_LE(std::abs(loaded.value.bytes[i] - expected.bytes[i]), tolerance) << what << ", byte " << i;
}

// BMP and PNG exactly, JPEG closely; names in other alphabets, and the content decides, not the name.
// Transparent parts are laid over black and come out opaque. The built-in photograph decodes at full size.
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
    Image32 clear = picture, over_black = picture;
    for (int y = 0; y < 21; ++y) clear.set_pixel(0, y, {255, 255, 255, 0}), over_black.set_pixel(0, y, {0, 0, 0, 255});
    ASSERT_TRUE(write_with_system_encoder(path(u8"clear.png"), clear, GUID_ContainerFormatPng, true));
    expect_picture(load_picture(path(u8"clear.png")), over_black, 0, "png with transparency");
    const Image32& built_in = default_picture();
    ASSERT_TRUE(built_in.width == 1024 && built_in.height == 1024);
    EXPECT_NE(built_in.pixel(0, 0), built_in.pixel(700, 300)) << "not the plain night blue of a failed decode";
}

// A TIFF's orientation tag, which the system reports (a JPEG's is libjpeg-turbo's business, as on Linux): the
// picture comes out upright for every tag, whole or a band of its rows or columns at a time, and drawn as it is
// decoded it gives the pixels of the whole picture drawn.
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
}

// One file per way a file can fail here; how each format's structure checks tell the damage is the Qt
// loader's tests' business, on the same checks.
TEST_F(PictureLoaderOnWindows, WhatIsNoPictureIsRefusedWithAMessageNamingTheFile) {
    write_bytes(path(u8"notes é.jpg"), "these are not pixels\n");
    fs::create_directory(path(u8"album.jpg"));
    write_bytes(path(u8"cut.bmp"), bmp24(pattern(200, 200)).substr(0, 200));
    write_bytes(path(u8"empty.png"), "");
    // A BMP whose header announces 30000 x 30000 pixels (3.6 GB once decoded) in a few bytes.
    write_bytes(path(u8"huge.bmp"), bmp24(pattern(4, 4), 30000, 30000));
    // What the system's decoders take as whole: scan data ending in a stray marker, a wrong checksum.
    ASSERT_TRUE(write_with_system_encoder(path(u8"whole.jpg"), gradient(640, 480), GUID_ContainerFormatJpeg));
    std::string jpeg = read_bytes(path(u8"whole.jpg"));
    jpeg.replace(jpeg.find("\xFF\xDA") + 400, 2, "\xFF\xD3");
    write_bytes(path(u8"damaged.jpg"), jpeg);
    ASSERT_TRUE(write_with_system_encoder(path(u8"whole.png"), pattern(64, 64), GUID_ContainerFormatPng));
    std::string png = read_bytes(path(u8"whole.png"));
    png[png.size() - 13] ^= 0x55;  // the last byte of the checksum before the end chunk
    write_bytes(path(u8"crc.png"), png);
    const std::pair<const char8_t*, const char*> cases[] = {
        {u8"missing.jpg", "does not exist"}, {u8"notes é.jpg", "could not be read as a picture"},
        {u8"NUL", "is not an ordinary file"},  // the device, in every folder
        {u8"album.jpg", "is a folder"}, {u8"empty.png", "could not be read"},
        {u8"cut.bmp", "is damaged or incomplete (its header claims 200 x 200 pixels in 120054 bytes, but the file holds 200 bytes)"},
        {u8"huge.bmp", "(its header claims 30000 x 30000 pixels"},
        {u8"damaged.jpg", "(Corrupt JPEG data"}, {u8"crc.png", "(IDAT: CRC error)"}};
    for (const auto& [name, says] : cases) {
        const LoadedPicture loaded = load_picture(path(name));
        const std::u8string shown = path(name).u8string();
        EXPECT_FALSE(loaded.ok || !loaded.value.empty()) << says;
        EXPECT_THAT(loaded.error, HasSubstr(says));
        EXPECT_THAT(loaded.error, HasSubstr("\"" + std::string(shown.begin(), shown.end()) + "\""));
    }
}

}  // namespace
}  // namespace morvane::testing
