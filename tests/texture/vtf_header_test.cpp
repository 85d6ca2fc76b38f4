// The header's bytes, field by field, as a reader of the file finds them.
#include "texture/vtf_header.h"
#include "texture_test_support.h"

#include <bit>

namespace {

using morvane_test::u32_at;

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

TEST(VtfHeaderBytes, MinorVersionTwoAddsDepthOneAndFifteenZeroBytesAndBothReadBackTheSame) {
    const auto b = vtfmod::header_bytes(built_header(8, 8, 2));
    ASSERT_EQ(b.size(), 80u);
    EXPECT_EQ(u32_at(b, 8), 2u);
    EXPECT_EQ(u32_at(b, 12), 80u);
    EXPECT_EQ(b[63] | b[64] << 8, 1);  // depth
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 65, b.end()), std::vector<uint8_t>(15, 0));
    for (int16_t minor : {1, 2}) {
        const auto bytes = vtfmod::header_bytes(built_header(8, 8, minor));
        vtfmod::VtfHeader back;
        ASSERT_TRUE(vtfmod::parse_header(bytes.data(), bytes.size(), back));
        EXPECT_EQ(vtfmod::header_bytes(back), bytes);
    }
    vtfmod::VtfHeader none;
    EXPECT_FALSE(vtfmod::parse_header(b.data(), 63, none));
}

}  // namespace
