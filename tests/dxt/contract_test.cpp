// The library as callers reach it by export name: buffer sizes, compression checked with libsquish's own
// decoder as an independent reader, refusals, the encoder choice, and the reflectivity pair.
#include "dxt/dxt_squish.h"
#include "dxt/encoder_choice.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morvane::dxt::test {
namespace {

constexpr int32_t kFlags = kDxtFlagsBestQuality;
struct Exported { const Format& format; decltype(&Get_Dxt1_Buffer_Size) size; decltype(&Compress_Dxt1_Image) compress; };
const Exported kExported[] = {{kDxt1, Get_Dxt1_Buffer_Size, Compress_Dxt1_Image},
                              {kDxt3, Get_Dxt3_Buffer_Size, Compress_Dxt3_Image},
                              {kDxt5, Get_Dxt5_Buffer_Size, Compress_Dxt5_Image}};

// The texture file's layout depends on the sizes: 8 or 16 bytes per started block of 4 x 4, at least one
// block. In the picture red grows to the right, green downwards, blue is fixed at 60, alpha 100: a swapped
// channel, a flipped row or a lost alpha shows. A null buffer or an empty image is refused without writing.
TEST(DxtContract, EachFormatHasThePublishedSizesKeepsEachChannelInPlaceAndRefusesNothingToWork) {
    Picture p{64, 32, {}};
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) p.bgra.insert(p.bgra.end(), {60, uint8_t(3 * y), uint8_t(3 * x), 100});
    for (const Exported& e : kExported) {
        SCOPED_TRACE(e.format.name);
        for (const auto& [w, h, blocks] : {std::tuple{2048, 2048, 262144}, {5, 3, 2}, {9, 9, 9}, {2, 1, 1}, {4, 4, 1}})
            EXPECT_EQ(e.size(w, h, kFlags), blocks * e.format.block_bytes) << w << "x" << h;
        std::vector<uint8_t> blocks(size_t(e.size(p.width, p.height, kFlags)));
        EXPECT_EQ(e.compress(nullptr, 4, 4, blocks.data(), kFlags) + e.compress(p.bgra.data(), 0, 4, blocks.data(), kFlags) +
                      e.compress(p.bgra.data(), 1, 1, nullptr, kFlags),
                  0);
        EXPECT_EQ(blocks, std::vector<uint8_t>(blocks.size(), 0)) << "written though refused";
        ASSERT_EQ(e.compress(p.bgra.data(), p.width, p.height, blocks.data(), kFlags), 1);
        const auto rgba = decode(e.format, blocks, p);
        const bool opaque = &e.format == &kDxt1;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            for (int c = 0; c < 3; ++c) ASSERT_NEAR(rgba[i + size_t(c)], p.bgra[i + 2 - size_t(c)], 16) << i;
            ASSERT_NEAR(rgba[i + 3], opaque ? 255 : 100, opaque ? 0 : 9) << i;
        }
    }
}

// Each choice gives exactly its encoder's bytes, libsquish's over bands of uneven length with a short last
// block row (17 block rows) as on the whole image; an unknown number leaves the choice as it was. Each encoder is
// known by its name, and an unknown name is refused.
TEST(DxtContract, SetDxtEncoderChoosesTheEncoderWhoseBytesTheContractWrites) {
    const Picture p = photo_like(64, 66, 9);
    std::vector<uint8_t> expected[3] = {compress(kDxt5, p, 1)};
#ifdef MORVANE_HAVE_SQUISH
    float metric[3] = {0.2126f, 0.7152f, 0.0722f};
    expected[1] = squish_fit(kDxt5, p, squish::kColourIterativeClusterFit, metric);
    expected[2] = squish_fit(kDxt5, p, squish::kColourRangeFit, metric);
#else
    expected[1] = expected[2] = expected[0];  // without libsquish, choosing one of its fits keeps our encoder
#endif
    for (const auto& [choice, name] : {std::pair{1, "squish"}, {7, "fast"}, {2, "squish-range"}, {0, "morvane"}}) {
        Set_Dxt_Encoder(choice);
        std::vector<uint8_t> blocks(expected[0].size());
        Compress_Dxt5_Image(p.bgra.data(), p.width, p.height, blocks.data(), kFlags);
        EXPECT_EQ(blocks, expected[choice == 7 ? 1 : choice]) << "encoder " << choice;
        Encoder named = Encoder::Morvane;
        EXPECT_EQ(encoder_from_name(name, named) ? int(named) : 7, choice) << name;
    }
}

// Each image adds the mean of its decoded red, green and blue (every pixel weighing alike); Create divides
// by the image count, and a count below one leaves the vector alone. Red 200, green 100, blue 50 in the solid
// image; the half-white image's mean of each is 0.5.
TEST(DxtContract, ReflectivityIsTheMeanOverImagesOfEachImagesMeanDecodedRedGreenBlue) {
    std::vector<uint8_t> solid, half_white(32, 0);
    for (int i = 0; i < 32; ++i) solid.insert(solid.end(), {50, 100, 200, 255});
    for (int y = 0; y < 2; ++y) std::fill_n(&half_white[size_t(y) * 16], 8, 255);  // 4 x 2, the left half white
    float v[3] = {0, 0, 0};
    Compute_Image_Reflectivity(solid.data(), 8, 4, v, kFlags);
    Compute_Image_Reflectivity(half_white.data(), 4, 2, v, kFlags);
    Compute_Image_Reflectivity(solid.data(), 0, 0, v, kFlags);  // adds nothing
    Create_Reflectivity(0, 1, 1, v, kFlags);
    Create_Reflectivity(1, 1, -1, v, kFlags);
    Create_Reflectivity(2, 1, 1, v, kFlags);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(v[c], (std::pow((200 >> c) / 255.0, 2.2) + 0.5) / 2, 1e-6) << c;
}

}  // namespace
}  // namespace morvane::dxt::test
