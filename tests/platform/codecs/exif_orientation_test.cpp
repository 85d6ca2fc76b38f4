// A photograph turned upright by its orientation tag, checked against the tag's definition: which side of
// the view the stored top row and left column become.
#include "platform/codecs/exif_orientation.h"
#include "platform/codecs/default_picture.h"
#include "platform/codecs/jpeg_decode.h"
#include "platform/codecs/turned_jpeg_rows.h"
#include "platform/pictures/streamed_stretch.h"
#include "platform/pictures/stretch_copy.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace morvane {
namespace {

// An EXIF block (as it follows a JPEG's APP1 marker) of a camera maker's entry, then `tag` of `type` and `value`.
std::vector<uint8_t> exif_block(bool big_endian, uint16_t tag, uint16_t type, uint16_t value, uint16_t entries = 2) {
    std::vector<uint8_t> b = {'E', 'x', 'i', 'f', 0, 0, uint8_t(big_endian ? 'M' : 'I'), uint8_t(big_endian ? 'M' : 'I')};
    const auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> 8 * (big_endian ? bytes - 1 - i : i)));
    };
    for (auto [v, bytes] : {std::pair<uint32_t, int>{42, 2}, {8, 4}, {entries, 2}, {0x010F, 2}, {2, 2}, {4, 4}, {0, 4},
                            {tag, 2}, {type, 2}, {1, 4}, {value, 2}, {0, 2}, {0, 4}})
        put(v, bytes);
    return b;
}

// Per tag: where the stored top-left and top-right corners of 3 x 2 pixels land, read from a block in either
// byte order; a tag outside 1 to 8 leaves the picture as stored and reads as 0. The built-in photograph with
// the tag, drawn while it is decoded (mirrored row by row, from the bottom, or a band of its columns at a
// time), gives the pixels of the built-in picture turned and drawn.
TEST(ExifOrientation, EachTagTurnsTheCornersWhereItSaysReadFromEitherByteOrderAndWhileDecoding) {
    Image32 stored(3, 2, Bgra{50, 50, 50, 255});
    const Bgra top_left{255, 0, 0, 255}, top_right{0, 255, 0, 255};
    stored.set_pixel(0, 0, top_left);
    stored.set_pixel(2, 0, top_right);
    const struct { int tag, tl_x, tl_y, tr_x, tr_y; } cases[] = {{1, 0, 0, 2, 0}, {2, 2, 0, 0, 0}, {3, 2, 1, 0, 1},
        {4, 0, 1, 2, 1}, {5, 0, 0, 0, 2}, {6, 1, 0, 1, 2}, {7, 1, 2, 1, 0}, {8, 0, 2, 0, 0}, {0, 0, 0, 2, 0}, {9, 0, 0, 2, 0}};
    for (const auto& c : cases) {
        Image32 copy = stored;
        const uint8_t* held = copy.bytes.data();
        const Image32 up = upright(std::move(copy), c.tag);
        const bool sideways = c.tag >= 5 && c.tag <= 8, known = c.tag >= 1 && c.tag <= 8;
        EXPECT_TRUE(sideways || up.bytes.data() == held) << "tag " << c.tag << ": turned where it is, not copied";
        ASSERT_EQ(up.width, sideways ? 2 : 3) << c.tag;
        EXPECT_EQ(up.pixel(c.tl_x, c.tl_y), top_left) << "tag " << c.tag;
        EXPECT_EQ(up.pixel(c.tr_x, c.tr_y), top_right) << "tag " << c.tag;
        for (bool big : {false, true}) {
            const std::vector<uint8_t> block = exif_block(big, 0x0112, 3, uint16_t(c.tag));
            EXPECT_EQ(exif_orientation_tag(block.data(), block.size()), known ? c.tag : 0) << c.tag;
        }
        if (!known) continue;
        const std::string jpeg(reinterpret_cast<const char*>(kDefaultPictureJpeg), kDefaultPictureJpegSize);
        const std::vector<uint8_t> block = exif_block(false, 0x0112, 3, uint16_t(c.tag));
        const std::string file = jpeg.substr(0, 2) + "\xFF\xE1" + char(0) + char(block.size() + 2) +
                                 std::string(block.begin(), block.end()) + jpeg.substr(2);
        const auto* bytes = reinterpret_cast<const uint8_t*>(file.data());
        JpegDecoder decoder(bytes, file.size(), size_t(1) << 24);
        std::unique_ptr<RowSource> turned;  // sideways a band of 100 stored columns at a time, straddling blocks
        if (sideways) turned = std::make_unique<TurnedJpegRows>(bytes, file.size(), 1 << 24, c.tag, size_t(100 * 1024 * 4));
        else if (c.tag > 1) turned = std::make_unique<FlippedJpegRows>(decoder);
        Image32 drawn(300, 170), expected = drawn;
        EXPECT_TRUE(stretch_rows_copy(turned ? *turned : decoder, drawn, 0, 0, 300, 170).ok) << c.tag;
        stretch_copy(upright(Image32(default_picture()), c.tag), expected, 0, 0, 300, 170);  // not the plain fallback
        EXPECT_TRUE(drawn.bytes == expected.bytes) << "tag " << c.tag;
    }
    // Cut short, no orientation entry, another type, more entries than it holds, or no EXIF block: 0, reading
    // nothing beyond its end (each its own allocation, so that a read past it shows under sanitizers).
    for (bool big : {false, true}) {
        const std::vector<uint8_t> whole = exif_block(big, 0x0112, 3, 6);
        for (size_t cut = 0; cut < whole.size() - 4; ++cut)
            EXPECT_EQ(exif_orientation_tag(std::vector<uint8_t>(&whole[0], &whole[cut]).data(), cut), 0) << cut;
        std::vector<uint8_t> xmp = whole;
        xmp[0] = 'h';
        for (const auto& other :
             {exif_block(big, 0x0113, 3, 6), exif_block(big, 0x0112, 4, 6), exif_block(big, 0x0113, 3, 6, 60000), xmp})
            EXPECT_EQ(exif_orientation_tag(other.data(), other.size()), 0);
    }
    // A photograph that breaks off part way ends the drawing in libjpeg's words (the loader's table has it unturned).
    TurnedJpegRows turned(kDefaultPictureJpeg, kDefaultPictureJpegSize / 2, size_t(1) << 24, 6);
    Image32 drawn(300, 170);
    EXPECT_EQ(stretch_rows_copy(turned, drawn, 0, 0, 300, 170).error, "Premature end of JPEG file");
}

}  // namespace
}  // namespace morvane
