#include "control_test_support.h"
#include "controls/elprogress.h"
#include "platform/qt/screen_metrics.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace morvane {
namespace {

using namespace morvane::testing;

// Blocks shown along row 12 (the middle of the block rows 4..19): runs of ForeColor, each checked to be
// 8 pixels wide and to start 4 + 12 i pixels from the left.
int blocks_shown(elprogress& bar) {
    const QImage image = shot(bar);
    const uint32_t fore = shown(bar.ForeColor());
    int blocks = 0;
    for (int x = 0; x < image.width();) {
        if (colorref_at(image, x, 12) != fore) {
            ++x;
            continue;
        }
        int end = x;
        while (end < image.width() && colorref_at(image, end, 12) == fore) ++end;
        EXPECT_EQ(end - x, 8) << "block width at x " << x;
        EXPECT_EQ(x, 4 + 12 * blocks) << "block position";
        EXPECT_EQ(colorref_at(image, x, 4), fore) << "first row";
        EXPECT_EQ(colorref_at(image, x, 19), fore) << "last row";
        EXPECT_NE(colorref_at(image, x, 3), fore);
        EXPECT_NE(colorref_at(image, x, 20), fore);
        ++blocks;
        x = end;
    }
    return blocks;
}

class ProgressBar : public ::testing::Test {
protected:
    void SetUp() override {
        qt_app();
        bar.read_properties(PropertyBag{{"color3ddark", 0x222E28u}});
        bar.set_geometry_pixels(8, 26, 296, 24);
    }
    QApplication& app = qt_app();
    ScopedTwipsPerPixel ratios{{15.0, 15.0}};
    elprogress bar;
};

TEST_F(ProgressBar, A296PixelBarWithMax11ShowsTwoThirteenAndTwentyFourBlocks) {
    bar.set_Max(11);
    EXPECT_EQ(blocks_shown(bar), 0) << "Value 0";
    bar.set_Value(1);
    EXPECT_EQ(blocks_shown(bar), 2);
    bar.set_Value(6);
    EXPECT_EQ(blocks_shown(bar), 13);
    bar.set_Value(11);
    EXPECT_EQ(blocks_shown(bar), 24);
    bar.set_Value(5);
    EXPECT_EQ(blocks_shown(bar), 10) << "the redraw clears the blocks of the earlier drawing";
}

TEST_F(ProgressBar, WithMax12EachStepAddsTwoBlocks) {
    bar.set_Max(12);
    for (int v = 0; v <= 12; ++v) {
        bar.set_Value(v);
        EXPECT_EQ(bar.filled_blocks(), 2 * v);
    }
    EXPECT_EQ(blocks_shown(bar), 24);
}

TEST_F(ProgressBar, ItsEdgeIsSunkenAndItsFillIsTheBackColor) {
    const QImage image = shot(bar);
    ASSERT_EQ(image.size(), QSize(296, 24));
    EXPECT_EQ(colorref_at(image, 100, 0), 0x222E28u);
    EXPECT_EQ(colorref_at(image, 0, 12), 0x222E28u);
    EXPECT_EQ(colorref_at(image, 295, 12), 0x95AAA0u);
    EXPECT_EQ(colorref_at(image, 100, 23), 0x95AAA0u);
    EXPECT_EQ(colorref_at(image, 100, 12), 0x37463Eu);
}

TEST_F(ProgressBar, RangeSettersClamp) {
    bar.set_Max(10);
    bar.set_Value(25);
    EXPECT_EQ(bar.Value(), 10) << "above Max";
    bar.set_Value(-3);
    EXPECT_EQ(bar.Value(), 0) << "below Min";
    bar.set_Value(8);
    bar.set_Max(5);
    EXPECT_EQ(bar.Value(), 5) << "lowering Max lowers Value";
    bar.set_Min(5);
    EXPECT_EQ(bar.Min(), 0) << "Min stays 0";
    bar.set_Max(-4);
    EXPECT_EQ(bar.Max(), 0) << "Max not below Min";
}

TEST_F(ProgressBar, MaxZeroShowsNoBlocksInsteadOfDividingByZero) {
    bar.set_Max(0);
    bar.set_Value(7);
    EXPECT_EQ(blocks_shown(bar), 0);
}

TEST_F(ProgressBar, StoredRangesAreTakenAsTheyAreButTheBlocksStayWithinTheBar) {
    elprogress loaded;
    loaded.read_properties(PropertyBag{{"max", 3}, {"value", 2000000000}, {"min", 7}});
    EXPECT_EQ(loaded.Max(), 3) << "no clamps on loading";
    EXPECT_EQ(loaded.Value(), 2000000000);
    EXPECT_EQ(loaded.Min(), 7);
    loaded.set_geometry_pixels(0, 0, 296, 24);
    EXPECT_EQ(blocks_shown(loaded), 24) << "Value * 24 overflows 32 bits; the count stays at 24";

    elprogress negative;
    negative.read_properties(PropertyBag{{"max", 10}, {"value", -50}});
    negative.set_geometry_pixels(0, 0, 296, 24);
    EXPECT_EQ(blocks_shown(negative), 0);

    elprogress huge;
    huge.read_properties(PropertyBag{{"max", std::numeric_limits<int32_t>::max()},
                                     {"value", std::numeric_limits<int32_t>::max() - 1}});
    huge.set_geometry_pixels(0, 0, 296, 24);
    EXPECT_EQ(blocks_shown(huge), 23) << "computed in 64 bits";
}

TEST_F(ProgressBar, ABarNarrowerThanTwelvePixelsShowsNoBlocks) {
    ScopedTwipsPerPixel coarse({40.0, 15.0});  // 360 twips are 9 pixels here
    elprogress narrow;
    narrow.set_Max(1);
    narrow.set_Value(1);
    narrow.set_size_twips(100, 360);
    ASSERT_EQ(narrow.width(), 9);
    EXPECT_EQ(narrow.filled_blocks(), 0);
    const QImage image = shot(narrow);
    for (int x = 0; x < 9; ++x) EXPECT_NE(colorref_at(image, x, 12), 0x50B5C4u) << x;
}

TEST_F(ProgressBar, HeightIsForcedTo360TwipsAndWidthToAtLeast360) {
    bar.set_size_twips(100, 1000);
    EXPECT_EQ(bar.size_twips().width, 360);
    EXPECT_EQ(bar.size_twips().height, 360);
    EXPECT_EQ(bar.size(), QSize(24, 24));
}

TEST_F(ProgressBar, SettersNotifyTheirKeysAndDefaultsStayOutOfTheStoredSettings) {
    auto changed = record(&bar, &SkinnedControl::property_changed);
    bar.set_Max(11);
    bar.set_Value(3);
    bar.set_Min(0);
    bar.set_ForeColor(0x0000FF);
    ASSERT_EQ(changed->size(), 4u);
    EXPECT_EQ(std::get<0>((*changed)[0]), QStringLiteral("Max"));
    EXPECT_EQ(std::get<0>((*changed)[1]), QStringLiteral("Value"));
    EXPECT_EQ(std::get<0>((*changed)[2]), QStringLiteral("Min"));
    EXPECT_EQ(std::get<0>((*changed)[3]), QStringLiteral("ForeColor"));
    PropertyBag saved;
    bar.write_properties(saved);
    EXPECT_EQ(saved.keys(), (QStringList{"forecolor", "max", "value", "color3ddark"}));
    elprogress copy;
    copy.read_properties(saved);
    EXPECT_EQ(copy.Max(), 11);
    EXPECT_EQ(copy.Value(), 3);
    EXPECT_EQ(copy.ForeColor(), 0x0000FFu);
    EXPECT_EQ(copy.Color3DDark(), 0x222E28u);
}

TEST_F(ProgressBar, EveryRedrawRepeatsTheRememberedBlendBelowTheBlocks) {
    RegisteredImage picture;
    picture.image().reset(400, 100, Bgra{0x10, 0x20, 0xF0, 255});
    bar.set_Max(4);
    bar.obtener_imagen_fondo(picture.handle(), 5, 5, 255);
    bar.set_Value(2);
    const QImage image = shot(bar);
    EXPECT_EQ(colorref_at(image, 200, 12), 0x1020F0u) << "the picture behind, beyond the blocks";
    EXPECT_EQ(colorref_at(image, 10, 12), 0x50B5C4u) << "a block above it";
    EXPECT_EQ(colorref_at(image, 10, 2), 0x1020F0u) << "the picture between the edge and a block";
    EXPECT_EQ(colorref_at(image, 200, 0), 0x222E28u) << "the edge above the blend";
    EXPECT_EQ(blocks_shown(bar), 12);
}

TEST_F(ProgressBar, AnOpacityOutsideTheByteRangeIsReportedAndLeavesTheBarAsItWas) {
    bar.set_Max(2);
    bar.set_Value(1);
    const QImage before = shot(bar);
    EXPECT_THROW(bar.obtener_imagen_fondo(bar.get_the_hdc(), 0, 0, 256), std::out_of_range);
    EXPECT_THROW(bar.obtener_imagen_fondo(bar.get_the_hdc(), 0, 0, -1), std::out_of_range);
    EXPECT_EQ(shot(bar), before);
    bar.set_Value(2);
    EXPECT_EQ(blocks_shown(bar), 24) << "later redraws do not repeat the refused blend";
}

}  // namespace
}  // namespace morvane
