// A photograph turned upright by its orientation tag, checked against the tag's definition: which side of
// the view the stored top row and left column become.
#include "platform/codecs/exif_orientation.h"
#ifndef _WIN32  // libjpeg-turbo decodes in the Linux build only
#include "platform/codecs/default_picture.h"
#include "platform/codecs/jpeg_decode.h"
#include "platform/codecs/turned_jpeg_rows.h"
#include "platform/pictures/streamed_stretch.h"
#include "platform/pictures/stretch_copy.h"
#endif

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using morvane::Bgra;
using morvane::Image32;

TEST(ExifOrientation, TheStoredCornersLandWhereEachTagSays) {
    // 3 x 2 stored pixels; the top-left and top-right corners marked.
    Image32 stored(3, 2, Bgra{50, 50, 50, 255});
    const Bgra top_left{255, 0, 0, 255}, top_right{0, 255, 0, 255};
    stored.set_pixel(0, 0, top_left);
    stored.set_pixel(2, 0, top_right);
    struct Corner {
        int x, y;
    };
    // Per tag: where the stored top-left and top-right pixels appear (in the upright picture's size).
    const struct {
        int tag;
        Corner tl, tr;
    } cases[] = {{1, {0, 0}, {2, 0}}, {2, {2, 0}, {0, 0}}, {3, {2, 1}, {0, 1}}, {4, {0, 1}, {2, 1}},
                 {5, {0, 0}, {0, 2}}, {6, {1, 0}, {1, 2}}, {7, {1, 2}, {1, 0}}, {8, {0, 2}, {0, 0}},
                 {0, {0, 0}, {2, 0}}, {9, {0, 0}, {2, 0}}};
    for (const auto& c : cases) {
        Image32 copy = stored;
        const uint8_t* held = copy.bytes.data();
        const Image32 up = morvane::upright(std::move(copy), c.tag);
        const bool exchanged = c.tag >= 5 && c.tag <= 8;
        if (!exchanged) EXPECT_EQ(up.bytes.data(), held) << "tag " << c.tag << ": turned where it is, not copied";
        ASSERT_EQ(up.width, exchanged ? 2 : 3) << c.tag;
        ASSERT_EQ(up.height, exchanged ? 3 : 2) << c.tag;
        EXPECT_EQ(up.pixel(c.tl.x, c.tl.y), top_left) << "tag " << c.tag;
        EXPECT_EQ(up.pixel(c.tr.x, c.tr.y), top_right) << "tag " << c.tag;
    }
}

// The tag as a JPEG's EXIF block carries it, in either byte order; a block that is cut short, names no
// orientation, gives a value outside 1 to 8 or claims more entries than it holds gives 0, reading nothing
// beyond its end.
TEST(ExifOrientation, TheTagIsReadFromTheBlockInEitherByteOrderAndNothingElseCounts) {
    auto block = [](bool big_endian, uint16_t tag, uint16_t type, uint16_t value, uint16_t entries = 2) {
        std::vector<uint8_t> b = {'E', 'x', 'i', 'f', 0, 0};
        auto u16 = [&](uint16_t v) {
            b.push_back(uint8_t(big_endian ? v >> 8 : v));
            b.push_back(uint8_t(big_endian ? v : v >> 8));
        };
        auto u32 = [&](uint32_t v) {
            if (big_endian) u16(uint16_t(v >> 16)), u16(uint16_t(v));
            else u16(uint16_t(v)), u16(uint16_t(v >> 16));
        };
        b.push_back(big_endian ? 'M' : 'I');
        b.push_back(big_endian ? 'M' : 'I');
        u16(42);
        u32(8);
        u16(entries);
        u16(0x010F), u16(2), u32(4), u32(0);  // the camera's maker first
        u16(tag), u16(type), u32(1), u16(value), u16(0);
        u32(0);
        return b;
    };
    for (bool big : {false, true}) {
        EXPECT_EQ(morvane::exif_orientation_tag(block(big, 0x0112, 3, 6).data(), block(big, 0x0112, 3, 6).size()), 6);
        const std::vector<uint8_t> whole = block(big, 0x0112, 3, 8);
        EXPECT_EQ(morvane::exif_orientation_tag(whole.data(), whole.size()), 8);
        for (size_t cut = 0; cut < whole.size() - 4; ++cut)
            EXPECT_EQ(morvane::exif_orientation_tag(whole.data(), cut), 0) << "cut to " << cut;
        for (const auto& other : {block(big, 0x0112, 3, 9), block(big, 0x0112, 3, 0), block(big, 0x0113, 3, 6),
                                  block(big, 0x0112, 4, 6), block(big, 0x0113, 3, 6, 60000)}) {
            std::vector<uint8_t> heap(other);  // its own allocation, so that a read past it shows under sanitizers
            EXPECT_EQ(morvane::exif_orientation_tag(heap.data(), heap.size()), 0);
        }
    }
    std::vector<uint8_t> xmp = block(false, 0x0112, 3, 6);
    xmp[0] = 'h';
    EXPECT_EQ(morvane::exif_orientation_tag(xmp.data(), xmp.size()), 0);
    EXPECT_EQ(morvane::exif_orientation_tag(nullptr, 0), 0);
}

#ifndef _WIN32
// A photograph of every orientation, drawn while it is decoded (mirrored row by row and from the bottom, or a
// band of its columns at a time), gives the pixels of the whole picture decoded, turned upright and drawn.
TEST(ExifOrientation, AnyTurnedJpegDrawnAsItIsDecodedGivesThePixelsOfTheWholePictureTurned) {
    const std::string stored(reinterpret_cast<const char*>(morvane::kDefaultPictureJpeg), morvane::kDefaultPictureJpegSize);
    for (int tag = 2; tag <= 8; ++tag) {
        std::string exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32);
        exif[24] = char(tag);
        const std::string file = stored.substr(0, 2) + std::string("\xFF\xE1\0\x22", 4) + exif + stored.substr(2);
        const auto* bytes = reinterpret_cast<const uint8_t*>(file.data());
        const std::optional<morvane::LoadedPicture> whole = morvane::decode_jpeg(bytes, file.size(), size_t(1) << 24, "turned.jpg");
        ASSERT_TRUE(whole && whole->ok) << tag;
        morvane::JpegDecoder decoder(bytes, file.size(), size_t(1) << 24);
        ASSERT_EQ(decoder.orientation(), tag);
        std::unique_ptr<morvane::RowSource> rows;
        if (morvane::turns_sideways(tag)) rows = std::make_unique<morvane::TurnedJpegRows>(bytes, file.size(), size_t(1) << 24, tag);
        else rows = std::make_unique<morvane::FlippedJpegRows>(decoder);
        Image32 drawn(300, 170), expected = drawn;
        EXPECT_TRUE(morvane::stretch_rows_copy(*rows, drawn, 0, 0, 300, 170).ok) << tag;
        morvane::stretch_copy(whole->value, expected, 0, 0, 300, 170);
        EXPECT_TRUE(drawn.bytes == expected.bytes) << "tag " << tag;
    }
}
#endif
