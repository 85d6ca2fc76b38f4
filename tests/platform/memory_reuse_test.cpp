#include "platform/memory_reuse.h"

#include <gtest/gtest.h>

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>

// A level-sized block taken from the heap rather than mapped afresh is what lets the next build reuse it.
TEST(MemoryReuse, ALevelSizedBlockComesFromTheHeapNotFromAFreshMapping) {
    morvane::keep_freed_memory_for_reuse();
    const size_t mapped_before = mallinfo2().hblkhd;
    void* volatile level = std::malloc(16 << 20);  // one 2048 x 2048 level; volatile: the call must happen
    const size_t mapped_during = mallinfo2().hblkhd;
    std::free(level);
    EXPECT_EQ(mapped_during, mapped_before);
}
#endif
