// The library's buffer sizes are the published S3TC sizes: the texture file's layout depends on them.
#include "dxt/dxt_squish.h"

#include <gtest/gtest.h>

namespace {

TEST(DxtContractSizes, Dxt1TakesEightBytesPerStartedBlockOfFourByFour) {
    EXPECT_EQ(Get_Dxt1_Buffer_Size(16, 16, kDxtFlagsBestQuality), 128.0);
    EXPECT_EQ(Get_Dxt1_Buffer_Size(1024, 1024, kDxtFlagsBestQuality), 524288.0);
    EXPECT_EQ(Get_Dxt1_Buffer_Size(5, 3, kDxtFlagsBestQuality), 2 * 1 * 8.0);
}

TEST(DxtContractSizes, Dxt3AndDxt5TakeSixteenBytesPerBlock) {
    EXPECT_EQ(Get_Dxt5_Buffer_Size(1024, 1024, kDxtFlagsBestQuality), 1048576.0);
    EXPECT_EQ(Get_Dxt5_Buffer_Size(2048, 2048, kDxtFlagsBestQuality), 4194304.0);
    EXPECT_EQ(Get_Dxt3_Buffer_Size(8, 4, kDxtFlagsBestQuality), 32.0);
    EXPECT_EQ(Get_Dxt5_Buffer_Size(9, 9, kDxtFlagsBestQuality), 9 * 16.0);
}

TEST(DxtContractSizes, LevelsSmallerThanABlockStillTakeOneWholeBlock) {
    for (int side : {1, 2, 3, 4}) {
        EXPECT_EQ(Get_Dxt1_Buffer_Size(side, side, kDxtFlagsBestQuality), 8.0) << side;
        EXPECT_EQ(Get_Dxt3_Buffer_Size(side, side, kDxtFlagsBestQuality), 16.0) << side;
        EXPECT_EQ(Get_Dxt5_Buffer_Size(side, side, kDxtFlagsBestQuality), 16.0) << side;
    }
    EXPECT_EQ(Get_Dxt5_Buffer_Size(2, 1, kDxtFlagsBestQuality), 16.0);
}

TEST(DxtContractSizes, BestQualityIsTheFiveDocumentedBits) {
    EXPECT_EQ(kDxtFlagsBestQuality, 0x210E);
    EXPECT_EQ(kDxtBestQuality | kDxtPerceptualMetric | kDxtSourceBgra | kDxtAlphaFromFourthByte |
                  kDxtGammaReflectivity,
              0x210E);
}

}  // namespace
