// The progress bar's range rules and the blocks it shows.
#include "controls/core/progress_face.h"
#include "tests/support/box_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace morvane::controls {
namespace {

using testing::colour_at;

// Blocks as a person counts them: runs of ForeColor along row 12.
int blocks_shown(const ProgressFace& face, int width) {
    Image32 bar(width, 24);
    paint_progress(bar, face, width, 24);
    int blocks = 0;
    bool in_block = false;
    for (int x = 0; x < width; ++x) {
        const bool lit = colour_at(bar, x, 12) == face.fore;
        blocks += lit && !in_block;
        in_block = lit;
    }
    return blocks;
}

TEST(ProgressFace, A296PixelBarWithMax11ShowsTwoThirteenAndTwentyFourBlocksAndANarrowOneNone) {
    ProgressFace face;
    EXPECT_EQ(blocks_shown(face, 296), 0) << "freshly made";
    face.set_max(11);
    for (auto [value, blocks] : {std::pair{1, 2}, {6, 13}, {11, 24}}) {
        face.set_value(value);
        EXPECT_EQ(blocks_shown(face, 296), blocks) << "Value " << value;
    }
    face.set_value(5);
    EXPECT_EQ(blocks_shown(face, 296), 10) << "lowering Value leaves no block of the earlier drawing";
    EXPECT_EQ(blocks_shown(face, 11), 0) << "narrower than one block";
}

TEST(ProgressFace, KeepsValueWithinTheRangeMinAtZeroAndMaxNeverBelowMin) {
    ProgressFace face;
    face.set_max(12);
    for (int v = 0; v <= 12; ++v) {
        face.set_value(v);
        EXPECT_EQ(filled_blocks(face, 296), 2 * v) << "with Max 12 each step adds two blocks";
    }
    face.set_value(40);
    EXPECT_EQ(face.value, 12);
    face.set_value(-3);
    EXPECT_EQ(face.value, 0);
    face.set_value(9);
    face.set_max(4);
    EXPECT_EQ(face.value, 4) << "lowering Max lowers Value";
    face.set_min(5);
    EXPECT_EQ(face.min, 0);
    face.set_max(-4);
    EXPECT_EQ(face.max, 0);
}

// At Max 1 and Value 1 the whole row is lit: the blocks of a 296-pixel bar, 8 pixels wide and 12 apart from
// column 4, over rows 4 to 19.
TEST(ProgressFace, EachBlockIs8By16PixelsTwelvePixelsAfterTheOneBeforeFromColumn4) {
    ProgressFace face;
    face.set_max(1);
    face.set_value(1);
    Image32 bar(296, 24);
    paint_progress(bar, face, 296, 24);
    for (auto [x, lit] : {std::pair{3, false}, {4, true}, {11, true}, {12, false}, {15, false}, {16, true},
                          {280, true}, {287, true}, {288, false}}) {
        EXPECT_EQ(colour_at(bar, x, 12) == face.fore, lit) << "column " << x;
    }
    for (auto [y, lit] : {std::pair{3, false}, {4, true}, {19, true}, {20, false}})
        EXPECT_EQ(colour_at(bar, 4, y) == face.fore, lit) << "row " << y;
}

// Settings read from a stored definition are not clamped by the setters' rules, yet the bar never shows more
// blocks than fit, whatever Max and Value hold.
TEST(ProgressFace, StoredRangesAreTakenAsTheyAreAndStillShowAtMostAFullBar) {
    const struct {
        int32_t max, value, blocks;
    } stored[] = {{3, 2000000000, 24},  // Value * 24 overflows 32 bits
                  {10, -50, 0},
                  {0, 7, 0},  // no division by zero
                  {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max() - 1, 23}};
    for (const auto& c : stored) {
        ProgressFace face;
        read_settings(face, progress_properties(), Settings{{"max", c.max}, {"value", c.value}, {"min", 7}}, FontSpec{});
        EXPECT_EQ(face.value, c.value);
        EXPECT_EQ(face.min, 7);
        EXPECT_EQ(blocks_shown(face, 296), c.blocks) << "Max " << c.max;
    }
}

}  // namespace
}  // namespace morvane::controls
