// The library as callers reach it by export name: buffer sizes, compression checked with libsquish's own
// decoder as an independent reader, the encoder choice, and the reflectivity pair.
#include "dxt/dxt_squish.h"
#include "dxt/encoder_choice.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace morvane::dxt::test {
namespace {

constexpr int32_t kFlags = kDxtFlagsBestQuality;
struct Exported {
    const Format& format;
    decltype(&Get_Dxt1_Buffer_Size) size;
    decltype(&Compress_Dxt1_Image) compress;
    decltype(&Decompress_Dxt1_Image) decompress;
};
const Exported kExported[] = {{kDxt1, Get_Dxt1_Buffer_Size, Compress_Dxt1_Image, Decompress_Dxt1_Image},
                              {kDxt3, Get_Dxt3_Buffer_Size, Compress_Dxt3_Image, Decompress_Dxt3_Image},
                              {kDxt5, Get_Dxt5_Buffer_Size, Compress_Dxt5_Image, Decompress_Dxt5_Image}};

// The texture file's layout depends on these: 8 or 16 bytes per started block of 4 x 4, at least one block.
TEST(DxtContract, BufferSizesAreThePublishedS3tcSizes) {
    const struct { int w, h; double dxt1, dxt5; } cases[] = {
        {1024, 1024, 524288, 1048576}, {2048, 2048, 2097152, 4194304}, {5, 3, 16, 32},
        {9, 9, 72, 144}, {1, 1, 8, 16}, {2, 1, 8, 16}, {4, 4, 8, 16}};
    for (auto c : cases) {
        EXPECT_EQ(Get_Dxt1_Buffer_Size(c.w, c.h, kFlags), c.dxt1) << c.w << "x" << c.h;
        EXPECT_EQ(Get_Dxt3_Buffer_Size(c.w, c.h, kFlags), c.dxt5) << c.w << "x" << c.h;
        EXPECT_EQ(Get_Dxt5_Buffer_Size(c.w, c.h, kFlags), c.dxt5) << c.w << "x" << c.h;
    }
}

// Red grows to the right, green downwards, blue is fixed at 60, alpha 100: a swapped channel, a flipped row or
// a lost alpha shows.
Picture gradient(int w, int h) {
    Picture p{w, h, std::vector<uint8_t>(size_t(w) * size_t(h) * 4)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* px = &p.bgra[size_t(4 * (y * w + x))];
            px[0] = 60; px[1] = uint8_t(3 * y); px[2] = uint8_t(3 * x); px[3] = 100;
        }
    return p;
}

TEST(DxtContract, BgraPixelsDecodeAsRedGreenBlueWithAlphaInDxt3AndDxt5AndOpaqueDxt1) {
    const Picture p = gradient(64, 32);
    for (const Exported& e : kExported) {
        std::vector<uint8_t> blocks(size_t(e.size(p.width, p.height, kFlags)));
        ASSERT_EQ(e.compress(p.bgra.data(), p.width, p.height, blocks.data(), kFlags), 1);
        const auto rgba = decode(e.format, blocks, p);
        const bool opaque = &e.format == &kDxt1;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            for (int c = 0; c < 3; ++c) ASSERT_NEAR(rgba[i + size_t(c)], p.bgra[i + 2 - size_t(c)], 16) << e.format.name << " " << i;
            ASSERT_NEAR(rgba[i + 3], opaque ? 255 : 100, opaque ? 0 : 9) << e.format.name;
        }
        std::vector<uint8_t> bgra(rgba.size());  // decompression writes the order the flags name
        ASSERT_EQ(e.decompress(blocks.data(), p.width, p.height, bgra.data(), kFlags), 1);
        for (size_t i = 0; i < rgba.size(); ++i) ASSERT_EQ(bgra[i], rgba[i - i % 4 + (i % 4 == 3 ? 3 : 2 - i % 4)]) << i;
    }
}

TEST(DxtContract, NullBuffersAndEmptyImagesAreRefusedWithoutWriting) {
    uint8_t out[16] = {};
    const uint8_t px[4] = {1, 2, 3, 4};
    EXPECT_EQ(Compress_Dxt5_Image(nullptr, 4, 4, out, kFlags), 0);
    EXPECT_EQ(Compress_Dxt5_Image(px, 0, 4, out, kFlags), 0);
    EXPECT_EQ(Compress_Dxt1_Image(px, 1, 1, nullptr, kFlags), 0);
    for (uint8_t b : out) EXPECT_EQ(b, 0);
}

// Each choice gives exactly its encoder's bytes, libsquish's over bands of uneven length with a short last
// block row (17 block rows) as on the whole image; an unknown number leaves the choice as it was. Each encoder is
// known by its name, and an unknown name is refused.
TEST(DxtContract, SetDxtEncoderChoosesTheEncoderWhoseBytesTheContractWrites) {
    Picture p = photo_like(64, 66, 9);
    std::vector<uint8_t> rgba = p.bgra;
    for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
    float metric[3] = {0.2126f, 0.7152f, 0.0722f};
    std::vector<uint8_t> expected[3];
    for (auto& e : expected) e.resize(size_t(Get_Dxt5_Buffer_Size(p.width, p.height, kFlags)));
    morvane_compress_dxt5(p.bgra.data(), p.width, p.height, expected[0].data(), 1);
#ifdef MORVANE_HAVE_SQUISH
    squish::CompressImage(rgba.data(), p.width, p.height, expected[1].data(), squish::kDxt5 | squish::kColourIterativeClusterFit, metric);
    squish::CompressImage(rgba.data(), p.width, p.height, expected[2].data(), squish::kDxt5 | squish::kColourRangeFit, metric);
#else
    (void)metric;
    expected[1] = expected[2] = expected[0];  // without libsquish, choosing one of its fits keeps our encoder
#endif
    const char* names[] = {"morvane", "squish", "squish-range"};
    for (int choice : {1, 7, 2, 0}) {
        Set_Dxt_Encoder(choice);
        std::vector<uint8_t> blocks(expected[0].size());
        Compress_Dxt5_Image(p.bgra.data(), p.width, p.height, blocks.data(), kFlags);
        EXPECT_EQ(blocks, expected[choice == 7 ? 1 : choice]) << "encoder " << choice;
        Encoder named = Encoder::Morvane;
        const char* name = choice == 7 ? "fast" : names[choice];
        EXPECT_EQ(encoder_from_name(name, named) ? int(named) : 7, choice) << name;
    }
}

double decoded(int v) { return std::pow(v / 255.0, 2.2); }

// Each image adds the mean of its decoded red, green and blue (every pixel weighing alike); Create divides
// by the image count, and a count below one leaves the vector alone.
TEST(DxtContract, ReflectivityIsTheMeanOverImagesOfEachImagesMeanDecodedRedGreenBlue) {
    Picture solid{8, 4, {}}, half_white{4, 2, std::vector<uint8_t>(32, 0)};
    for (int i = 0; i < 32; ++i) solid.bgra.insert(solid.bgra.end(), {50, 100, 200, 255});
    for (int y = 0; y < 2; ++y) std::fill_n(&half_white.bgra[size_t(y) * 16], 8, 255);  // left half white
    float v[3] = {0, 0, 0};
    Compute_Image_Reflectivity(solid.bgra.data(), 8, 4, v, kFlags);
    Compute_Image_Reflectivity(half_white.bgra.data(), 4, 2, v, kFlags);
    Compute_Image_Reflectivity(solid.bgra.data(), 0, 0, v, kFlags);  // adds nothing
    const float sum[3] = {v[0], v[1], v[2]};
    Create_Reflectivity(0, 1, 1, v, kFlags);
    Create_Reflectivity(1, 1, -1, v, kFlags);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(v[c], sum[c]) << "vector changed by an empty count";
    Create_Reflectivity(2, 1, 1, v, kFlags);
    EXPECT_NEAR(v[0], (decoded(200) + 0.5) / 2, 1e-6);
    EXPECT_NEAR(v[1], (decoded(100) + 0.5) / 2, 1e-6);
    EXPECT_NEAR(v[2], (decoded(50) + 0.5) / 2, 1e-6);
}

}  // namespace
}  // namespace morvane::dxt::test
