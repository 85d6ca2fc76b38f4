// The header's bytes, field by field, as a reader of the file finds them.
#include "texture/vtf_header.h"
#include "texture_test_support.h"

#include <bit>

namespace {

using morvane_test::u32_at;
using vtfmod::VtfHeader;

VtfHeader background_header(int32_t minor) {
    VtfHeader h;
    h.signature = {'V', 'T', 'F', '\0'};
    h.version = {7, minor};
    h.headersize = minor >= 2 ? 80 : 64;
    h.width = 1024;
    h.height = 512;
    h.flags = 0x2000;
    h.frames = 1;
    h.reflectivity = {0.25f, 0.5f, 0.75f};
    h.bumpscale = 1.0f;
    h.hiformat = 15;
    h.mipmapcount = 11;
    h.loformat = 13;
    h.lowidth = 16;
    h.loheight = 8;
    h.depth = 1;  // held always, written only from minor version 2 on
    return h;
}

TEST(VtfHeaderBytes, MinorVersionOneIsSixtyFourBytesWithEveryFieldAtItsOffset) {
    const auto b = vtfmod::header_bytes(background_header(1));
    ASSERT_EQ(b.size(), 64u);
    const std::vector<uint8_t> start{0x56, 0x54, 0x46, 0x00, 7, 0, 0, 0, 1, 0, 0, 0, 0x40, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 16), start);
    EXPECT_EQ(u32_at(b, 16), 1024u | 512u << 16);  // width, height
    EXPECT_EQ(u32_at(b, 20), 0x2000u);             // flags
    EXPECT_EQ(u32_at(b, 24), 1u);                  // frames 1, firstframe 0
    EXPECT_EQ(u32_at(b, 28), 0u);                  // padding0
    EXPECT_EQ(std::bit_cast<float>(u32_at(b, 32)), 0.25f);
    EXPECT_EQ(std::bit_cast<float>(u32_at(b, 36)), 0.5f);
    EXPECT_EQ(std::bit_cast<float>(u32_at(b, 40)), 0.75f);
    EXPECT_EQ(u32_at(b, 44), 0u);           // padding1
    EXPECT_EQ(u32_at(b, 48), 0x3F800000u);  // bumpscale 1.0
    EXPECT_EQ(u32_at(b, 52), 15u);          // hiformat DXT5
    EXPECT_EQ(b[56], 11);                   // mipmapcount
    EXPECT_EQ(u32_at(b, 57), 13u);          // loformat DXT1, unaligned
    EXPECT_EQ(b[61], 16);                   // lowidth
    EXPECT_EQ(b[62], 8);                    // loheight
    EXPECT_EQ(b[63], 0);                    // no depth before minor version 2
    EXPECT_EQ(vtfmod::header_bytes(background_header(0)).size(), 64u);
}

TEST(VtfHeaderBytes, MinorVersionTwoAddsDepthAndFifteenZeroBytesAndBothReadBackTheSame) {
    const auto b = vtfmod::header_bytes(background_header(2));
    ASSERT_EQ(b.size(), 80u);
    EXPECT_EQ(u32_at(b, 8), 2u);
    EXPECT_EQ(u32_at(b, 12), 80u);
    EXPECT_EQ(b[63] | b[64] << 8, 1);  // depth
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 65, b.end()), std::vector<uint8_t>(15, 0));
    for (int minor : {1, 2}) {
        const auto bytes = vtfmod::header_bytes(background_header(minor));
        VtfHeader back;
        ASSERT_TRUE(vtfmod::parse_header(bytes.data(), bytes.size(), back));
        EXPECT_EQ(vtfmod::header_bytes(back), bytes);
        EXPECT_EQ(back.depth, minor >= 2 ? 1 : 0);
    }
    VtfHeader none;
    EXPECT_FALSE(vtfmod::parse_header(b.data(), 63, none));
}

}  // namespace
