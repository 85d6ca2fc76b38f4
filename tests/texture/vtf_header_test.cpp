// The header's bytes, field by field, as a reader of the file finds them.
#include "texture/vtf_header.h"
#include "texture_test_support.h"

#include <gtest/gtest.h>

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
    h.firstframe = 0;
    h.reflectivity = {0.25f, 0.5f, 0.75f};
    h.bumpscale = 1.0f;
    h.hiformat = 15;
    h.mipmapcount = 11;
    h.loformat = 13;
    h.lowidth = 16;
    h.loheight = 8;
    h.depth = minor >= 2 ? 1 : 0;
    return h;
}

TEST(VtfHeaderBytes, MinorVersionOneIsSixtyFourBytesEndingInAZeroByte) {
    const auto b = vtfmod::header_bytes(background_header(1));
    ASSERT_EQ(b.size(), 64u);
    const std::vector<uint8_t> start{0x56, 0x54, 0x46, 0x00, 7, 0, 0, 0, 1, 0, 0, 0, 0x40, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 16), start);
    EXPECT_EQ(b[16] | b[17] << 8, 1024);  // width
    EXPECT_EQ(b[18] | b[19] << 8, 512);   // height
    EXPECT_EQ(u32_at(b, 20), 0x2000u);    // flags
    EXPECT_EQ(u32_at(b, 24), 1u);         // frames 1, firstframe 0
    EXPECT_EQ(u32_at(b, 28), 0u);         // padding0
    EXPECT_EQ(std::bit_cast<float>(u32_at(b, 32)), 0.25f);
    EXPECT_EQ(std::bit_cast<float>(u32_at(b, 36)), 0.5f);
    EXPECT_EQ(std::bit_cast<float>(u32_at(b, 40)), 0.75f);
    EXPECT_EQ(u32_at(b, 44), 0u);  // padding1
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 48, b.begin() + 52), (std::vector<uint8_t>{0, 0, 0x80, 0x3F}));
    EXPECT_EQ(u32_at(b, 52), 15u);  // hiformat DXT5
    EXPECT_EQ(b[56], 11);           // mipmapcount
    EXPECT_EQ(u32_at(b, 57), 13u);  // loformat DXT1, unaligned
    EXPECT_EQ(b[61], 16);           // lowidth
    EXPECT_EQ(b[62], 8);            // loheight
    EXPECT_EQ(b[63], 0);
}

TEST(VtfHeaderBytes, MinorVersionTwoAddsDepthAndFifteenZeroBytesForEightyBytes) {
    const auto b = vtfmod::header_bytes(background_header(2));
    ASSERT_EQ(b.size(), 80u);
    EXPECT_EQ(u32_at(b, 8), 2u);
    EXPECT_EQ(u32_at(b, 12), 80u);
    EXPECT_EQ(b[63], 1);
    EXPECT_EQ(b[64], 0);
    for (size_t i = 65; i < 80; ++i) EXPECT_EQ(b[i], 0) << "byte " << i;
}

TEST(VtfHeaderBytes, MinorVersionZeroWritesTheShortHeaderWithoutDepth) {
    VtfHeader h = background_header(0);
    h.depth = 5;  // held, but not part of a 7.0 file
    const auto b = vtfmod::header_bytes(h);
    ASSERT_EQ(b.size(), 64u);
    EXPECT_EQ(b[63], 0);
}

TEST(VtfHeaderBytes, ParsingTheBytesGivesBackEveryField) {
    for (int minor : {1, 2}) {
        const VtfHeader h = background_header(minor);
        const auto b = vtfmod::header_bytes(h);
        VtfHeader back;
        ASSERT_TRUE(vtfmod::parse_header(b.data(), b.size(), back));
        EXPECT_EQ(back.version, h.version);
        EXPECT_EQ(back.width, h.width);
        EXPECT_EQ(back.height, h.height);
        EXPECT_EQ(back.reflectivity, h.reflectivity);
        EXPECT_EQ(back.loformat, h.loformat);
        EXPECT_EQ(back.depth, h.depth);
        EXPECT_EQ(vtfmod::header_bytes(back), b);
    }
    VtfHeader none;
    EXPECT_FALSE(vtfmod::parse_header(nullptr, 10, none));
}

}  // namespace
