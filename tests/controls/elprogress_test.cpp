#include "control_test_support.h"
#include "controls/elprogress.h"

#include <limits>

namespace morvane::controls {
namespace {

using namespace morvane::testing;

// Blocks shown along row 12 (the middle of the block rows 4..19): runs of ForeColor, each checked to be
// 8 x 16 pixels and to start 4 + 12 i pixels from the left.
int blocks_shown(elprogress& bar) {
    const QImage image = shot(bar);
    const uint32_t fore = resolve_color(bar.ForeColor());
    int blocks = 0;
    for (int x = 0; x < image.width(); ++x) {
        if (colorref_at(image, x, 12) != fore) continue;
        int end = x;
        while (end < image.width() && colorref_at(image, end, 12) == fore) ++end;
        EXPECT_EQ(end - x, 8) << "block width at x " << x;
        EXPECT_EQ(x, 4 + 12 * blocks) << "block position";
        EXPECT_TRUE(colorref_at(image, x, 4) == fore && colorref_at(image, x, 19) == fore) << "rows 4 to 19";
        EXPECT_TRUE(colorref_at(image, x, 3) != fore && colorref_at(image, x, 20) != fore) << "and no more";
        ++blocks;
        x = end;
    }
    return blocks;
}

class ProgressBar : public ControlTest {
protected:
    ProgressBar() {
        bar.read_properties(Settings{{"color3ddark", 0x222E28u}});
        bar.set_geometry_pixels(8, 26, 296, 24);
    }
    elprogress bar;
};

TEST_F(ProgressBar, A296PixelBarWithMax11ShowsTwoThirteenAndTwentyFourBlocksInItsSunkenEdge) {
    bar.set_Max(11);
    const QImage image = shot(bar);
    ASSERT_EQ(image.size(), QSize(296, 24));
    expect_edge(image, 0x222E28, 0x95AAA0);
    EXPECT_EQ(colorref_at(image, 100, 12), 0x37463Eu);
    for (auto [value, blocks] : {std::pair{0, 0}, {1, 2}, {6, 13}, {11, 24}, {5, 10}}) {
        bar.set_Value(value);
        EXPECT_EQ(blocks_shown(bar), blocks) << "Value " << value << " (the last one redraws fewer blocks)";
    }
}

TEST_F(ProgressBar, SettersKeepTheRangeFromZeroToMaxWithValueInsideButStoredRangesAreTakenAsTheyAre) {
    bar.set_Max(10);
    for (auto [value, kept] : {std::pair{25, 10}, {-3, 0}, {8, 8}}) {
        bar.set_Value(value);
        EXPECT_EQ(bar.Value(), kept) << "Value " << value;
    }
    bar.set_Max(5);
    EXPECT_EQ(bar.Value(), 5) << "lowering Max lowers Value";
    bar.set_Min(5);
    EXPECT_EQ(bar.Min(), 0) << "Min stays 0";
    bar.set_Max(-4);
    EXPECT_EQ(bar.Max(), 0) << "Max not below Min";
    const struct {
        int32_t max, value, blocks;
    } stored[] = {{3, 2000000000, 24},  // Value * 24 overflows 32 bits
                  {10, -50, 0},
                  {0, 7, 0},  // no division by zero
                  {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max() - 1, 23}};
    for (const auto& c : stored) {
        elprogress loaded;
        loaded.read_properties(Settings{{"max", c.max}, {"value", c.value}, {"min", 7}});
        EXPECT_EQ(loaded.Value(), c.value) << "no clamps on loading";
        EXPECT_EQ(loaded.Min(), 7);
        loaded.set_geometry_pixels(0, 0, 296, 24);
        EXPECT_EQ(blocks_shown(loaded), c.blocks) << "yet the blocks stay within the bar: Max " << c.max;
    }
}

TEST_F(ProgressBar, EveryRedrawRepeatsTheRememberedBlendBelowTheBlocks) {
    Image32 picture;
    picture.reset(400, 100, Bgra{0x10, 0x20, 0xF0, 255});
    bar.set_Max(4);
    ASSERT_TRUE(bar.obtener_imagen_fondo(picture, 5, 5, 255).ok);
    for (int value : {2, 4}) {
        bar.set_Value(value);
        const QImage image = shot(bar);
        EXPECT_EQ(colorref_at(image, 10, 2), 0x1020F0u) << "the picture between the edge and a block";
        EXPECT_EQ(colorref_at(image, 200, 0), 0x222E28u) << "the edge above the blend";
        EXPECT_EQ(blocks_shown(bar), 12 * value / 2);
    }
}

}  // namespace
}  // namespace morvane::controls
