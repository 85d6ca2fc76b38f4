// Compression through the exported functions, checked with libsquish's own decoder as an independent reader.
#include "dxt/dxt_squish.h"
#include "dxt/encoder_choice.h"

#include <gtest/gtest.h>
#include <squish.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

using morvane::dxt::Encoder;

// A smooth picture in B, G, R, A: red grows to the right, green downwards (3 per pixel), blue is fixed.
std::vector<uint8_t> gradient_bgra(int w, int h, uint8_t alpha = 255) {
    std::vector<uint8_t> px(size_t(w) * size_t(h) * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &px[size_t(4 * (y * w + x))];
            p[0] = 60;
            p[1] = uint8_t(std::min(255, 3 * y));
            p[2] = uint8_t(std::min(255, 3 * x));
            p[3] = alpha;
        }
    return px;
}

// Decoded by libsquish: red, green, blue, alpha.
std::vector<uint8_t> squish_decode(const std::vector<uint8_t>& blocks, int w, int h, int format) {
    std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
    squish::DecompressImage(rgba.data(), w, h, blocks.data(), format);
    return rgba;
}

int largest_colour_error(const std::vector<uint8_t>& bgra, const std::vector<uint8_t>& rgba) {
    int worst = 0;
    for (size_t i = 0; i < bgra.size(); i += 4) {
        worst = std::max(worst, std::abs(int(bgra[i + 2]) - int(rgba[i])));
        worst = std::max(worst, std::abs(int(bgra[i + 1]) - int(rgba[i + 1])));
        worst = std::max(worst, std::abs(int(bgra[i]) - int(rgba[i + 2])));
    }
    return worst;
}

class DxtContractCompression : public ::testing::Test {
protected:
    void TearDown() override { morvane::dxt::set_encoder(Encoder::Morvane); }  // the library's default
};

TEST_F(DxtContractCompression, Dxt5BlocksDecodeBackToTheSourceWithRedInTheRedChannel) {
    const int w = 64, h = 32;
    const auto src = gradient_bgra(w, h);
    std::vector<uint8_t> blocks(size_t(Get_Dxt5_Buffer_Size(w, h, kDxtFlagsBestQuality)));
    ASSERT_EQ(Compress_Dxt5_Image(src.data(), w, h, blocks.data(), kDxtFlagsBestQuality), 1);
    const auto back = squish_decode(blocks, w, h, squish::kDxt5);
    EXPECT_LE(largest_colour_error(src, back), 12);
    // Top-left has no red and no green, top-right the most red, bottom-left the most green: the rows and
    // channels are where they belong.
    EXPECT_LT(back[0], 10);
    EXPECT_NEAR(back[size_t(4 * (w - 1))], 189, 10);
    EXPECT_NEAR(back[size_t(4 * ((h - 1) * w)) + 1], 93, 10);
    EXPECT_NEAR(back[2], 60, 10);
}

TEST_F(DxtContractCompression, Dxt5AndDxt3CarryTheFourthByteAsAlpha) {
    const int w = 8, h = 8;
    const auto src = gradient_bgra(w, h, 100);
    for (int format : {squish::kDxt3, squish::kDxt5}) {
        std::vector<uint8_t> blocks(size_t(Get_Dxt5_Buffer_Size(w, h, kDxtFlagsBestQuality)));
        if (format == squish::kDxt3)
            Compress_Dxt3_Image(src.data(), w, h, blocks.data(), kDxtFlagsBestQuality);
        else
            Compress_Dxt5_Image(src.data(), w, h, blocks.data(), kDxtFlagsBestQuality);
        const auto back = squish_decode(blocks, w, h, format);
        for (size_t i = 3; i < back.size(); i += 4) EXPECT_NEAR(back[i], 100, 9) << "format " << format;
    }
}

TEST_F(DxtContractCompression, Dxt1BlocksStayOpaqueWhateverTheFourthByteHolds) {
    const int w = 8, h = 4;
    const auto src = gradient_bgra(w, h, 0);
    std::vector<uint8_t> blocks(size_t(Get_Dxt1_Buffer_Size(w, h, kDxtFlagsBestQuality)));
    Compress_Dxt1_Image(src.data(), w, h, blocks.data(), kDxtFlagsBestQuality);
    const auto back = squish_decode(blocks, w, h, squish::kDxt1);
    for (size_t i = 3; i < back.size(); i += 4) EXPECT_EQ(back[i], 255);
    EXPECT_LE(largest_colour_error(src, back), 16);
}

TEST_F(DxtContractCompression, SizesThatAreNoMultipleOfFourCompressWithoutTouchingBytesBeyondTheBuffer) {
    const int w = 5, h = 3;
    const auto src = gradient_bgra(w, h);
    const size_t size = size_t(Get_Dxt5_Buffer_Size(w, h, kDxtFlagsBestQuality));
    std::vector<uint8_t> blocks(size + 16, 0xAB);
    Compress_Dxt5_Image(src.data(), w, h, blocks.data(), kDxtFlagsBestQuality);
    for (size_t i = size; i < blocks.size(); ++i) EXPECT_EQ(blocks[i], 0xAB);
    blocks.resize(size);
    EXPECT_LE(largest_colour_error(src, squish_decode(blocks, w, h, squish::kDxt5)), 16);
}

TEST_F(DxtContractCompression, ALargeImageCompressedInBandsEqualsLibsquishOnTheWholeImage) {
    morvane::dxt::set_encoder(Encoder::SquishClusterFit);
    const int w = 96, h = 260;  // 65 block rows: bands of uneven length and a short last block row
    auto src = gradient_bgra(w, h);
    for (size_t i = 0; i < src.size(); i += 4) src[i] = uint8_t(i * 7919 >> 5);  // some noise in blue
    std::vector<uint8_t> ours(size_t(Get_Dxt5_Buffer_Size(w, h, kDxtFlagsBestQuality)));
    Compress_Dxt5_Image(src.data(), w, h, ours.data(), kDxtFlagsBestQuality);
    std::vector<uint8_t> whole(ours.size());
    std::vector<uint8_t> rgba = src;
    for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
    float metric[3] = {0.2126f, 0.7152f, 0.0722f};
    squish::CompressImage(rgba.data(), w, h, whole.data(), squish::kDxt5 | squish::kColourIterativeClusterFit, metric);
    EXPECT_EQ(ours, whole);
}

TEST_F(DxtContractCompression, EveryEncoderChoiceGivesBlocksThatDecodeCloseToTheSource) {
    const int w = 32, h = 32;
    const auto src = gradient_bgra(w, h);
    for (int choice : {0, 1, 2}) {
        Set_Dxt_Encoder(choice);
        std::vector<uint8_t> blocks(size_t(Get_Dxt5_Buffer_Size(w, h, kDxtFlagsBestQuality)));
        Compress_Dxt5_Image(src.data(), w, h, blocks.data(), kDxtFlagsBestQuality);
        EXPECT_LE(largest_colour_error(src, squish_decode(blocks, w, h, squish::kDxt5)), 16) << "encoder " << choice;
    }
}

TEST_F(DxtContractCompression, TheEncoderChoiceFollowsSetDxtEncoderAndIgnoresUnknownValues) {
    Set_Dxt_Encoder(2);
    EXPECT_EQ(morvane::dxt::current_encoder(), Encoder::SquishRangeFit);
    Set_Dxt_Encoder(7);
    EXPECT_EQ(morvane::dxt::current_encoder(), Encoder::SquishRangeFit);
    Set_Dxt_Encoder(0);
    EXPECT_EQ(morvane::dxt::current_encoder(), Encoder::Morvane);
    Encoder parsed{};
    EXPECT_TRUE(morvane::dxt::encoder_from_name("squish-range", parsed));
    EXPECT_EQ(parsed, Encoder::SquishRangeFit);
    EXPECT_FALSE(morvane::dxt::encoder_from_name("fast", parsed));
}

TEST_F(DxtContractCompression, DecompressGivesBackPixelsInTheLayoutTheFlagsName) {
    const int w = 8, h = 8;
    const auto src = gradient_bgra(w, h);
    std::vector<uint8_t> blocks(size_t(Get_Dxt5_Buffer_Size(w, h, kDxtFlagsBestQuality)));
    Compress_Dxt5_Image(src.data(), w, h, blocks.data(), kDxtFlagsBestQuality);
    std::vector<uint8_t> bgra(src.size()), rgba(src.size());
    ASSERT_EQ(Decompress_Dxt5_Image(blocks.data(), w, h, bgra.data(), kDxtFlagsBestQuality), 1);
    ASSERT_EQ(Decompress_Dxt5_Image(blocks.data(), w, h, rgba.data(), kDxtFlagsBestQuality & ~kDxtSourceBgra), 1);
    EXPECT_EQ(rgba, squish_decode(blocks, w, h, squish::kDxt5));
    EXPECT_EQ(bgra[2], rgba[0]);
    EXPECT_EQ(bgra[0], rgba[2]);
    for (size_t i = 0; i < src.size(); ++i) EXPECT_NEAR(bgra[i], src[i], 16) << i;
}

TEST_F(DxtContractCompression, NullBuffersAndEmptyImagesAreRefusedWithoutWriting) {
    uint8_t out[16] = {};
    const uint8_t px[4] = {1, 2, 3, 4};
    EXPECT_EQ(Compress_Dxt5_Image(nullptr, 4, 4, out, kDxtFlagsBestQuality), 0);
    EXPECT_EQ(Compress_Dxt5_Image(px, 0, 4, out, kDxtFlagsBestQuality), 0);
    EXPECT_EQ(Compress_Dxt1_Image(px, 1, 1, nullptr, kDxtFlagsBestQuality), 0);
    for (uint8_t b : out) EXPECT_EQ(b, 0);
}

}  // namespace
