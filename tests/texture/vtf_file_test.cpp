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

TEST(VtfHeaderBytes, EveryFieldOfAVersion71HeaderStandsAtItsOffsetIn64Bytes) {
    BuildSurfaces surfaces(gradient_picture(64, 32));
    morvane::texture::TextureModule m;
    ASSERT_TRUE(m.BuildTexture(surfaces.source, surfaces.scratch, 0x2000, 15, 1).ok);
    morvane::texture::VtfHeader h = m.state.Header;
    h.reflectivity = {0.25f, 0.5f, 0.75f};  // distinct values, to find each at its offset
    const std::vector<uint8_t> minor1{
        'V', 'T', 'F', 0, 7, 0, 0, 0, 1, 0, 0, 0, 64, 0, 0, 0,  // signature, version 7.1, headersize
        64, 0, 32, 0, 0, 0x20, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,   // width, height, flags, frames, firstframe, padding
        0, 0, 0x80, 0x3E, 0, 0, 0, 0x3F, 0, 0, 0x40, 0x3F, 0, 0, 0, 0,  // reflectivity 0.25 0.5 0.75, padding
        0, 0, 0x80, 0x3F, 15, 0, 0, 0, 6, 13, 0, 0, 0, 16, 8, 0};  // bumpscale, hi/mip/loformat, 16 x 8, no depth
    EXPECT_EQ(morvane::texture::header_bytes(h), minor1);
}

// Header 64 + low-resolution image 128 (16 x 16 in DXT1) + the DXT5 levels 1, 2 and 4 pixels square (one
// 16-byte block each, 48) + 8 to 1024 square (64 + 256 + 1024 + 4096 + 16384 + 65536 + 262144 + 1048576 =
// 1398080): 1398320 bytes; the 2048 level adds 512 x 512 blocks of 16 bytes: 5592624. The low-resolution
// image follows the header and the levels follow it, smallest first.
TEST(WrittenTexture, HasItsExactSizeLevelCountAndBlockOffsets) {
    const FastEncoder fast;
    for (const auto& [side, bytes, levels] : {std::tuple{1024, 1398320u, 11}, {2048, 5592624u, 12}}) {
        const Written file(built(side));
        EXPECT_EQ(file.bytes.size(), bytes);
        EXPECT_EQ(file.bytes[56], levels);  // mipmapcount
        const auto& blocks = file.layout.blocks;
        ASSERT_EQ(blocks.size(), size_t(levels) + 1);
        EXPECT_EQ(blocks[0].offset, 64u);
        EXPECT_EQ(blocks[0].size, 128u);
        const uint64_t offsets[] = {192, 208, 224, 240, 304, 560, 1584, 5680, 22064, 87600, 349744};
        for (size_t i = 0; i < 11; ++i) {
            EXPECT_EQ(blocks[i + 1].width, 1 << i);
            EXPECT_EQ(blocks[i + 1].offset, offsets[i]) << "level " << i;
            EXPECT_EQ(blocks[i + 1].size, std::max<uint64_t>(16, uint64_t(1) << (2 * i))) << "level " << i;
        }
    }
}

TEST(VtfFile, EveryBlockDecodesBackToItsLevelTopRowFirstWithRedOnTheRight) {
    const morvane::texture::TextureModule m = built(256);
    const Written file(m);
    ASSERT_EQ(file.layout.blocks.size(), size_t(m.MipCount()) + 1);
    // The full-size level is the picture one to one: B, G, R, fourth byte, top row first.
    const auto& full = m.state.MipLevels.back().Frames[0].Faces[0].Pixels;
    EXPECT_EQ(full, gradient_picture(256, 256).bytes);  // red 170 top right, 85 bottom left

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
