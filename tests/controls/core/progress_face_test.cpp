// The progress bar's range rules and the blocks it shows.
#include "controls/core/progress_face.h"
#include "tests/support/box_text.h"

#include <gtest/gtest.h>

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

TEST(ProgressFace, A296PixelBarWithMax11ShowsTwoThirteenAndTwentyFourBlocks) {
    ProgressFace face;
    face.set_max(11);
    for (auto [value, blocks] : {std::pair{1, 2}, {6, 13}, {11, 24}}) {
        face.set_value(value);
        EXPECT_EQ(blocks_shown(face, 296), blocks) << "Value " << value;
    }
    face.set_value(5);
    EXPECT_EQ(blocks_shown(face, 296), 10) << "lowering Value leaves no block of the earlier drawing";
}

TEST(ProgressFace, WithMax12EachStepAddsTwoBlocks) {
    ProgressFace face;
    face.set_max(12);
    for (int v = 0; v <= 12; ++v) {
        face.set_value(v);
        EXPECT_EQ(filled_blocks(face, 296), 2 * v);
    }
}

TEST(ProgressFace, KeepsValueWithinTheRangeAndMinAtZero) {
    ProgressFace face;
    face.set_max(11);
    face.set_value(40);
    EXPECT_EQ(face.value, 11);
    face.set_value(-3);
    EXPECT_EQ(face.value, 0);
    face.set_value(9);
    face.set_max(4);
    EXPECT_EQ(face.value, 4) << "lowering Max lowers Value";
    face.set_min(5);
    EXPECT_EQ(face.min, 0);
}

TEST(ProgressFace, ShowsNoBlocksWhenNarrowerThanOneBlockEmptyOrFreshlyMade) {
    ProgressFace face;
    EXPECT_EQ(blocks_shown(face, 296), 0);
    face.set_value(10);
    EXPECT_EQ(blocks_shown(face, 11), 0);
    face.max = 0;  // as stored settings may hold it
    EXPECT_EQ(filled_blocks(face, 296), 0);
}

}  // namespace
}  // namespace morvane::controls
