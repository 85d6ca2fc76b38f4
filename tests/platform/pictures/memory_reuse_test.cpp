#include "platform/pictures/image32.h"
#include "platform/pictures/memory_reuse.h"

#include <gtest/gtest.h>

#include <cstdint>

// A level's pixels start on a 2 MB boundary, so that the large-page hint covers every byte of them, and a
// block grown and shrunk across the large-block size is given back the way it was taken (the sanitizer run
// catches a mismatch).
TEST(MemoryReuse, LargePixelBuffersStartOnA2MegabyteBoundaryAndSmallOnesAnywhere) {
    morvane::PixelBytes level(size_t(1024) * 1024 * 4 + 12);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(level.data()) % (uintptr_t(2) << 20), 0u);
    level[level.size() - 1] = 7;  // the whole block is usable, its last byte included
    morvane::PixelBytes small(64 * 64 * 4);
    small.resize(size_t(3) << 20);  // grows into a large block, then back
    small.resize(16);
    small.shrink_to_fit();
    EXPECT_EQ(small.size(), 16u);
    EXPECT_EQ(level[level.size() - 1], 7);
}
