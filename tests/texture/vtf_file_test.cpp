// The written file as a game or any VTF reader sees it: header bytes, sizes, offsets and the pictures its
// blocks decode to.
#include "texture/vtf_reader.h"
#include "texture/vtfmod.h"
#include "texture_test_support.h"

#include <squish.h>

#include <bit>
#include <cstdlib>

namespace {

using morvane_test::built;
using morvane_test::file_bytes;
using morvane_test::ScratchFolder;
using morvane_test::u32_at;

// The written file's bytes and its block table, read as any VTF reader reads them.
struct Written {
    std::vector<uint8_t> bytes;
    vtfmod::VtfLayout layout;
    explicit Written(const vtfmod::TextureModule& m) {
        ScratchFolder folder;
        const auto result = m.WriteVtfFile(folder.path / "background01.vtf");
        EXPECT_TRUE(result.ok) << result.error;
        bytes = file_bytes(folder.path / "background01.vtf");
        EXPECT_EQ(vtfmod::read_vtf_layout(bytes.data(), bytes.size(), layout), "");
    }
};

// The largest difference of red, green or blue between B, G, R, A pixels and R, G, B, A decoded pixels.
int largest_error(const std::vector<uint8_t>& bgra, const std::vector<uint8_t>& rgba) {
    int worst = 0;
    for (size_t i = 0; i + 3 < bgra.size(); i += 4)
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(int(bgra[i + 2 - c]) - int(rgba[i + c])));
    return worst;
}

vtfmod::VtfHeader built_header(int w, int h, int16_t minor) {
    morvane_test::BuildSurfaces s(morvane_test::gradient_picture(w, h));
    vtfmod::TextureModule m;
    EXPECT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, minor));
    return m.Header;
}

TEST(VtfHeaderBytes, AMinorVersionOneBuildHasSixtyFourBytesWithEveryFieldAtItsOffset) {
    vtfmod::VtfHeader h = built_header(64, 32, 1);
    h.reflectivity = {0.25f, 0.5f, 0.75f};  // distinct values, to find each at its offset
    const auto b = vtfmod::header_bytes(h);
    ASSERT_EQ(b.size(), 64u);
    const std::vector<uint8_t> start{0x56, 0x54, 0x46, 0x00, 7, 0, 0, 0, 1, 0, 0, 0, 0x40, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 16), start);
    EXPECT_EQ(u32_at(b, 16), 64u | 32u << 16);  // width, height
    EXPECT_EQ(u32_at(b, 20), 0x2000u);          // flags
    EXPECT_EQ(u32_at(b, 24), 1u);               // frames 1, firstframe 0
    EXPECT_EQ(u32_at(b, 28), 0u);               // padding0
    EXPECT_EQ(std::bit_cast<float>(u32_at(b, 32)), 0.25f);
    EXPECT_EQ(std::bit_cast<float>(u32_at(b, 36)), 0.5f);
    EXPECT_EQ(std::bit_cast<float>(u32_at(b, 40)), 0.75f);
    EXPECT_EQ(u32_at(b, 44), 0u);           // padding1
    EXPECT_EQ(u32_at(b, 48), 0x3F800000u);  // bumpscale 1.0
    EXPECT_EQ(u32_at(b, 52), 15u);          // hiformat DXT5
    EXPECT_EQ(b[56], 6);                    // mipmapcount: down to the shorter side's 1
    EXPECT_EQ(u32_at(b, 57), 13u);          // loformat DXT1, unaligned
    EXPECT_EQ(b[61], 16);                   // lowidth: the longer side at most 16 ...
    EXPECT_EQ(b[62], 8);                    // ... loheight in the picture's proportion
    EXPECT_EQ(b[63], 0);                    // no depth before minor version 2
    EXPECT_EQ(vtfmod::header_bytes(built_header(8, 8, 0)).size(), 64u);
}

TEST(VtfHeaderBytes, MinorVersionTwoAddsDepthOneAndFifteenZeroBytes) {
    const auto b = vtfmod::header_bytes(built_header(8, 8, 2));
    ASSERT_EQ(b.size(), 80u);
    EXPECT_EQ(u32_at(b, 8), 2u);
    EXPECT_EQ(u32_at(b, 12), 80u);
    EXPECT_EQ(b[63] | b[64] << 8, 1);  // depth
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 65, b.end()), std::vector<uint8_t>(15, 0));
}

TEST(VtfFile, A1024TextureIsExactly1398320BytesWithTheLowResImageAt64AndLevelsSmallestFirst) {
    const Written file(built(1024));
    ASSERT_EQ(file.bytes.size(), 1398320u);
    EXPECT_EQ(file.bytes[56], 11);  // mipmapcount = the number of level blocks
    const auto& blocks = file.layout.blocks;
    ASSERT_EQ(blocks.size(), 12u);
    EXPECT_EQ(blocks[0].offset, 64u);  // low-resolution image
    EXPECT_EQ(blocks[0].size, 128u);
    const uint64_t sizes[] = {16, 16, 16, 64, 256, 1024, 4096, 16384, 65536, 262144, 1048576};
    uint64_t offset = 192;
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(blocks[size_t(i) + 1].offset, offset) << "level " << i;
        EXPECT_EQ(blocks[size_t(i) + 1].size, sizes[i]) << "level " << i;
        EXPECT_EQ(blocks[size_t(i) + 1].width, 1 << i);
        offset += sizes[i];
    }
    EXPECT_EQ(offset, file.bytes.size());
}

TEST(VtfFile, A2048TextureIsExactly5592624BytesEndingInItsFullSizeLevelAfterTwelveProgressSteps) {
    morvane_test::FastEncoder fast;
    morvane_test::RecordedProgress progress;
    const Written file(built(2048, 15, 1, &progress));
    ASSERT_EQ(file.bytes.size(), 5592624u);
    EXPECT_EQ(file.bytes[56], 12);
    EXPECT_EQ(file.layout.blocks.back().offset, 5592624u - 4194304u);
    EXPECT_EQ(file.layout.blocks.back().width, 2048);
    EXPECT_EQ(std::count(progress.calls.begin(), progress.calls.end(), "max 12"), 1);
    EXPECT_EQ(progress.current, 12);
}

TEST(VtfFile, EveryBlockDecodesBackToItsLevelTopRowFirstWithRedOnTheRight) {
    const vtfmod::TextureModule m = built(256);
    const Written file(m);
    ASSERT_EQ(file.layout.blocks.size(), size_t(m.MipCount()) + 1);
    // The full-size level is the picture one to one: B, G, R, fourth byte, top row first.
    const auto& full = m.MipLevels.back().Frames[0].Faces[0].Pixels;
    EXPECT_EQ(full, morvane_test::gradient_picture(256, 256).bytes);
    EXPECT_EQ(full[4 * 255 + 2], 170);          // top right: more red ...
    EXPECT_EQ(full[4 * 255 * 256 + 2], 85);     // ... than bottom left

    std::vector<uint8_t> rgba(16 * 16 * 4);
    squish::DecompressImage(rgba.data(), 16, 16, file.bytes.data() + file.layout.blocks[0].offset, squish::kDxt1);
    EXPECT_LE(largest_error(m.LowResPixels, rgba), 20);
    for (int i = 0; i < m.MipCount(); ++i) {
        const auto& level = m.MipLevels[size_t(i)];
        rgba.assign(size_t(4 * level.Width * level.Height), 0);
        squish::DecompressImage(rgba.data(), level.Width, level.Height,
                                file.bytes.data() + file.layout.blocks[size_t(i) + 1].offset, squish::kDxt5);
        // In the small levels one block spans much of the gradient, so its four colours lie further apart.
        EXPECT_LE(largest_error(level.Frames[0].Faces[0].Pixels, rgba), level.Width >= 16 ? 12 : 48) << "level " << i;
    }
    EXPECT_NEAR(rgba[4 * 255 + 0], 170, 8);          // decoded R, G, B, A: top right
    EXPECT_NEAR(rgba[4 * 255 * 256 + 0], 85, 8);     // bottom left
}

}  // namespace
