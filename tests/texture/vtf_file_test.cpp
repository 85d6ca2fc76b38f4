// The written file as a game or any VTF reader sees it: header bytes, sizes, offsets and the pictures its
// blocks decode to.
#include "dxt/dxt_squish.h"
#include "texture/vtf_reader.h"
#include "texture/vtfmod.h"
#include "texture_test_support.h"

#include <cstdlib>

namespace {

using namespace morvane::testing;

// The written file's bytes and its block table, read as any VTF reader reads them.
struct Written {
    std::vector<uint8_t> bytes;
    morvane::texture::VtfLayout layout;
    explicit Written(const morvane::texture::TextureModule& m) {
        const TempFolder folder;
        const auto result = m.WriteVtfFile(folder / "background01.vtf");
        EXPECT_TRUE(result.ok) << result.error;
        const std::string read = read_bytes(folder / "background01.vtf");
        bytes.assign(read.begin(), read.end());
        const auto read_layout = morvane::texture::read_vtf_layout(bytes.data(), bytes.size());
        EXPECT_TRUE(read_layout.ok) << read_layout.error;
        layout = read_layout.value;
    }
};

// The largest difference of red, green or blue between B, G, R, A pixels and R, G, B, A decoded pixels.
int largest_error(const morvane::PixelBytes& bgra, const std::vector<uint8_t>& rgba) {
    int worst = 0;
    for (size_t i = 0; i + 3 < bgra.size(); i += 4)
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(int(bgra[i + 2 - c]) - int(rgba[i + c])));
    return worst;
}

morvane::texture::VtfHeader built_header(int w, int h, int16_t minor) {
    BuildSurfaces s(gradient_picture(w, h));
    morvane::texture::TextureModule m;
    EXPECT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, minor).ok);
    return m.state.Header;
}

TEST(VtfHeaderBytes, EveryFieldOfAVersion71HeaderStandsAtItsOffsetIn64Bytes) {
    morvane::texture::VtfHeader h = built_header(64, 32, 1);
    h.reflectivity = {0.25f, 0.5f, 0.75f};  // distinct values, to find each at its offset
    const std::vector<uint8_t> minor1{
        'V', 'T', 'F', 0, 7, 0, 0, 0, 1, 0, 0, 0, 64, 0, 0, 0,  // signature, version 7.1, headersize
        64, 0, 32, 0, 0, 0x20, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,   // width, height, flags, frames, firstframe, padding
        0, 0, 0x80, 0x3E, 0, 0, 0, 0x3F, 0, 0, 0x40, 0x3F, 0, 0, 0, 0,  // reflectivity 0.25 0.5 0.75, padding
        0, 0, 0x80, 0x3F, 15, 0, 0, 0, 6, 13, 0, 0, 0, 16, 8, 0};  // bumpscale, hi/mip/loformat, 16 x 8, no depth
    EXPECT_EQ(morvane::texture::header_bytes(h), minor1);
}

// Up to version 7.1 the header is 64 bytes; from 7.2 on 80, with depth 1 at offset 63 and zeros after it.
TEST(VtfHeaderBytes, HeadersFromVersion72On80BytesHoldTheDepth) {
    EXPECT_EQ(morvane::texture::header_bytes(built_header(8, 8, 0)).size(), 64u);
    const auto b = morvane::texture::header_bytes(built_header(8, 8, 2));
    std::vector<uint8_t> tail(17, 0);
    tail[0] = 1;
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 8, b.begin() + 16), (std::vector<uint8_t>{2, 0, 0, 0, 80, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 63, b.end()), tail);
    EXPECT_FALSE(morvane::texture::parse_header(b.data(), 63).ok);
    EXPECT_EQ(morvane::texture::parse_header(b.data(), 64).error, "it is shorter than a VTF header") << "7.2 needs its depth";
    EXPECT_EQ(morvane::texture::parse_header(b.data(), 80).value.depth, 1);
}

// The two textures the program writes, built once for all the tests below.
class WrittenTexture : public ::testing::Test {
protected:
    static const Written& of_side(int side) {
        static const Written* files[2] = {};
        const Written*& file = files[side == 2048];
        if (file == nullptr) {
            FastEncoder fast;
            file = new Written(built(side));  // kept to the end of the run
        }
        return *file;
    }
};

// Header 64 + low-resolution image 128 (16 x 16 in DXT1) + the DXT5 levels 1, 2 and 4 pixels square (one
// 16-byte block each, 48) + 8 to 1024 square (64 + 256 + 1024 + 4096 + 16384 + 65536 + 262144 + 1048576 =
// 1398080): 1398320 bytes, in 11 levels; with the 2048 level, 512 x 512 blocks of 16 bytes, 5592624 in 12.
TEST_F(WrittenTexture, BothSidesAreExactlyTheirBytesAndLevels) {
    EXPECT_EQ(of_side(1024).bytes.size(), 1398320u);
    EXPECT_EQ(of_side(2048).bytes.size(), 5592624u);
    EXPECT_EQ(of_side(1024).bytes[56], 11);  // mipmapcount
    EXPECT_EQ(of_side(2048).bytes[56], 12);
}

// The low-resolution image follows the header, the levels follow it smallest first (the decode below finds each
// level at the offset this order gives).
TEST_F(WrittenTexture, TheLowResolutionImageFollowsTheHeader) {
    const auto& blocks = of_side(1024).layout.blocks;
    ASSERT_EQ(blocks.size(), 12u);
    EXPECT_EQ(blocks[0].offset, 64u);
    EXPECT_EQ(blocks[0].size, 128u);
    EXPECT_EQ(blocks[1].offset, 192u);
}

TEST(VtfFile, EveryBlockDecodesBackToItsLevelTopRowFirstWithRedOnTheRight) {
    const morvane::texture::TextureModule m = built(256);
    const Written file(m);
    ASSERT_EQ(file.layout.blocks.size(), size_t(m.MipCount()) + 1);
    // The full-size level is the picture one to one: B, G, R, fourth byte, top row first.
    const auto& full = m.state.MipLevels.back().Frames[0].Faces[0].Pixels;
    EXPECT_EQ(full, gradient_picture(256, 256).bytes);
    EXPECT_EQ(full[4 * 255 + 2], 170);          // top right: more red ...
    EXPECT_EQ(full[4 * 255 * 256 + 2], 85);     // ... than bottom left

    std::vector<uint8_t> rgba(16 * 16 * 4);
    // The library's decoder: libsquish's where the build has it, our own otherwise. Flags 0: R, G, B, A.
    Decompress_Dxt1_Image(file.bytes.data() + file.layout.blocks[0].offset, 16, 16, rgba.data(), 0);
    EXPECT_LE(largest_error(m.state.LowResPixels, rgba), 20);
    for (int i = 0; i < m.MipCount(); ++i) {
        const auto& level = m.state.MipLevels[size_t(i)];
        rgba.assign(size_t(4 * level.Width * level.Height), 0);
        Decompress_Dxt5_Image(file.bytes.data() + file.layout.blocks[size_t(i) + 1].offset, level.Width, level.Height,
                              rgba.data(), 0);
        // In the small levels one block spans much of the gradient, so its four colours lie further apart.
        EXPECT_LE(largest_error(level.Frames[0].Faces[0].Pixels, rgba), level.Width >= 16 ? 12 : 48) << "level " << i;
    }
    EXPECT_NEAR(rgba[4 * 255 + 0], 170, 8);          // decoded R, G, B, A: top right
    EXPECT_NEAR(rgba[4 * 255 * 256 + 0], 85, 8);     // bottom left
}

}  // namespace
