// The written file as a game or any VTF reader sees it: sizes, offsets and the pictures its blocks decode to.
#include "texture/vtf_reader.h"
#include "texture/vtfmod.h"
#include "texture_test_support.h"

#include <gtest/gtest.h>
#include <squish.h>

#include <cstdlib>

namespace {

using morvane_test::BuildSurfaces;
using morvane_test::file_bytes;
using morvane_test::gradient_picture;
using morvane_test::ScratchFolder;
using morvane_test::u32_at;
using vtfmod::TextureModule;

std::vector<uint8_t> build_and_write(const morvane::Image32& picture, int32_t format, int16_t minor,
                                     const std::filesystem::path& file) {
    BuildSurfaces s(picture);
    TextureModule m;
    EXPECT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, format, minor));
    const vtfmod::WriteResult written = m.WriteVtfFile(file);
    EXPECT_TRUE(written.ok) << written.error;
    return file_bytes(file);
}

// The largest difference of red, green or blue between B, G, R, A pixels and R, G, B, A decoded pixels.
int largest_error(const std::vector<uint8_t>& bgra, const std::vector<uint8_t>& rgba) {
    int worst = 0;
    for (size_t i = 0; i + 3 < bgra.size(); i += 4)
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(int(bgra[i + 2 - c]) - int(rgba[i + c])));
    return worst;
}

TEST(VtfFile, A1024TextureIsExactly1398320BytesWithItsBlocksSmallestFirst) {
    ScratchFolder folder;
    const auto b = build_and_write(gradient_picture(1024, 1024), 15, 1, folder.path() / "background01.vtf");
    ASSERT_EQ(b.size(), 1398320u);
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 16),
              (std::vector<uint8_t>{0x56, 0x54, 0x46, 0, 7, 0, 0, 0, 1, 0, 0, 0, 0x40, 0, 0, 0}));
    EXPECT_EQ(b[56], 11);  // mipmapcount = the number of level blocks
    EXPECT_EQ(b[63], 0);

    vtfmod::VtfLayout layout;
    ASSERT_EQ(vtfmod::read_vtf_layout(b.data(), b.size(), layout), "");
    ASSERT_EQ(layout.blocks.size(), 12u);
    EXPECT_EQ(layout.blocks[0].offset, 64u);  // low-resolution image
    EXPECT_EQ(layout.blocks[0].size, 128u);
    const uint64_t sizes[] = {16, 16, 16, 64, 256, 1024, 4096, 16384, 65536, 262144, 1048576};
    uint64_t offset = 192;
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(layout.blocks[size_t(i) + 1].offset, offset) << "level " << i;
        EXPECT_EQ(layout.blocks[size_t(i) + 1].size, sizes[i]) << "level " << i;
        EXPECT_EQ(layout.blocks[size_t(i) + 1].width, 1 << i);
        offset += sizes[i];
    }
    EXPECT_EQ(offset, b.size());
}

TEST(VtfFile, A2048TextureIsExactly5592624BytesEndingInItsFullSizeLevel) {
    morvane_test::FastEncoder fast;
    ScratchFolder folder;
    const auto b = build_and_write(gradient_picture(2048, 2048), 15, 1, folder.path() / "background01.vtf");
    ASSERT_EQ(b.size(), 5592624u);
    EXPECT_EQ(b[56], 12);
    vtfmod::VtfLayout layout;
    ASSERT_EQ(vtfmod::read_vtf_layout(b.data(), b.size(), layout), "");
    EXPECT_EQ(layout.blocks.back().offset, 5592624u - 4194304u);
    EXPECT_EQ(layout.blocks.back().width, 2048);
    EXPECT_EQ(layout.expected_size, b.size());
}

TEST(VtfFile, MinorVersionTwoPutsTheLowResolutionImageAtEighty) {
    ScratchFolder folder;
    const auto b = build_and_write(gradient_picture(16, 16), 15, 2, folder.path() / "t.vtf");
    ASSERT_EQ(b.size(), 80u + 128u + 16u * (16 + 4 + 1 + 1 + 1));
    EXPECT_EQ(u32_at(b, 12), 80u);
    EXPECT_EQ(b[63], 1);
    EXPECT_EQ(b[64], 0);
    for (size_t i = 65; i < 80; ++i) EXPECT_EQ(b[i], 0);
}

TEST(VtfFile, EveryLevelAndTheLowResolutionImageDecodeBackToTheCapturedPicture) {
    ScratchFolder folder;
    BuildSurfaces s(morvane_test::diagonal_picture(256, 256));
    TextureModule m;
    ASSERT_TRUE(m.BuildTexture(s.source, s.scratch, 0x2000, 15, 1));
    ASSERT_TRUE(m.WriteVtfFile(folder.path() / "t.vtf").ok);
    const auto b = file_bytes(folder.path() / "t.vtf");
    vtfmod::VtfLayout layout;
    ASSERT_EQ(vtfmod::read_vtf_layout(b.data(), b.size(), layout), "");
    ASSERT_EQ(layout.blocks.size(), size_t(m.MipCount()) + 1);

    std::vector<uint8_t> low(16 * 16 * 4);
    squish::DecompressImage(low.data(), 16, 16, b.data() + layout.blocks[0].offset, squish::kDxt1);
    EXPECT_LE(largest_error(m.LowResPixels, low), 20);

    for (int i = 0; i < m.MipCount(); ++i) {
        const auto& block = layout.blocks[size_t(i) + 1];
        const auto& level = m.MipLevels[size_t(i)];
        std::vector<uint8_t> rgba(size_t(4 * level.Width * level.Height));
        squish::DecompressImage(rgba.data(), level.Width, level.Height, b.data() + block.offset, squish::kDxt5);
        // A block codes four colours of its line: in the small levels one block spans a large part of the
        // whole gradient, so the nearest of its four colours can be further off.
        const int tolerance = level.Width >= 16 ? 12 : 48;
        EXPECT_LE(largest_error(level.Frames[0].Faces[0].Pixels, rgba), tolerance) << "level " << i;
    }

    // The full-size level keeps the picture's orientation: green top-left, red bottom-right, and more red
    // top-right than bottom-left (decoded as R, G, B, A).
    const auto& top = layout.blocks.back();
    std::vector<uint8_t> rgba(256 * 256 * 4);
    squish::DecompressImage(rgba.data(), 256, 256, b.data() + top.offset, squish::kDxt5);
    auto at = [&](int x, int y, int c) { return int(rgba[size_t(4 * (y * 256 + x) + c)]); };
    EXPECT_LT(at(0, 0, 0), 8);
    EXPECT_GT(at(0, 0, 1), 247);
    EXPECT_NEAR(at(0, 0, 2), 128, 8);
    EXPECT_GT(at(255, 255, 0), 247);
    EXPECT_LT(at(255, 255, 1), 8);
    EXPECT_NEAR(at(255, 0, 0), 170, 8);
    EXPECT_NEAR(at(0, 255, 0), 85, 8);
}

TEST(VtfFile, CapturedLevelsHoldTheirPixelsTopRowFirstWithRedAtTheThirdByte) {
    BuildSurfaces s(gradient_picture(64, 64));
    TextureModule m;
    m.CaptureMipLevels(64, 64, s.source, s.scratch, 15);
    ASSERT_EQ(m.MipCount(), 7);
    for (int i = 0; i < 7; ++i) {
        const auto& level = m.MipLevels[size_t(i)];
        EXPECT_EQ(level.Width, 1 << i);
        EXPECT_EQ(level.Height, 1 << i);
        const auto& face = level.Frames[0].Faces[0];
        EXPECT_EQ(face.Pixels.size(), size_t(4 << (2 * i)));
        EXPECT_EQ(face.Info.bytes_per_row, 4 << i);
        EXPECT_EQ(face.Compressed.size(), size_t(face.CompressedSize));
    }
    const auto& full = m.MipLevels[6].Frames[0].Faces[0].Pixels;
    const auto picture = gradient_picture(64, 64);
    EXPECT_EQ(full, picture.bytes);  // the full-size level is a one-to-one copy
    EXPECT_EQ(full[4 * (0 * 64 + 63) + 2], 255);  // row 0, last column: full red
    EXPECT_EQ(full[4 * (63 * 64 + 0) + 1], 255);  // last row, column 0: full green
}

TEST(VtfFile, TheCompressedSizesFollowTheFormatOfEachLevel) {
    BuildSurfaces s(gradient_picture(8, 8));
    TextureModule m;
    m.CaptureMipLevels(8, 8, s.source, s.scratch, 13);
    EXPECT_EQ(m.MipLevels[3].Frames[0].Faces[0].Compressed.size(), 32u);
    EXPECT_EQ(m.MipLevels[0].Frames[0].Faces[0].Compressed.size(), 8u);
    m.CaptureMipLevels(8, 8, s.source, s.scratch, 14);
    EXPECT_EQ(m.MipLevels[3].Frames[0].Faces[0].Compressed.size(), 64u);
    EXPECT_EQ(m.MipLevels[0].Frames[0].Faces[0].Compressed.size(), 16u);
}

TEST(VtfFile, LevelCountsHalveUntilTheShorterSideIsOne) {
    EXPECT_EQ(vtfmod::GetMipCount(1024, 1024), 11);
    EXPECT_EQ(vtfmod::GetMipCount(2048, 2048), 12);
    EXPECT_EQ(vtfmod::GetMipCount(1, 1), 1);
    EXPECT_EQ(vtfmod::GetMipCount(1024, 512), 10);
    EXPECT_EQ(vtfmod::GetMipCount(1600, 900), 10);
}

TEST(VtfFile, TheLayoutReaderRejectsFilesThatAreNoTexture) {
    vtfmod::VtfLayout layout;
    const std::string text = "\"UnlitGeneric\"\r\n{\r\n}\r\n";
    EXPECT_NE(vtfmod::read_vtf_layout(reinterpret_cast<const uint8_t*>(text.data()), text.size(), layout), "");
    const std::vector<uint8_t> short_header{'V', 'T', 'F', 0, 7, 0, 0, 0};
    EXPECT_NE(vtfmod::read_vtf_layout(short_header.data(), short_header.size(), layout), "");
}

}  // namespace
