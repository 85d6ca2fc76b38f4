#pragma once
// A 2048 build touches about 35 MB of memory (levels, pyramid, DXT buffers). The C library hands large freed
// blocks back to the system, so every build paid again for fresh pages: about 2 microseconds a page here,
// half of the capture's time. Programs call this once at start so that freed blocks stay in the process and
// the next level, or the next build, reuses them. What is kept never exceeds the peak already reached.
#include <cstddef>

namespace morvane {

void keep_freed_memory_for_reuse();

// Asks the system to back the whole 2 MB pages inside [data, data + bytes) with 2 MB pages. Memory the process
// has not used yet costs a page fault per 4 KB page on first touch; on these virtual machines that is most of
// the cost of a fresh 64 MB picture (about 6 ms per MB, against half a millisecond with 2 MB pages). Only a
// hint: where the system declines, nothing changes. With MORVANE_SMALL_PAGES set in the environment it is not
// given, so that a benchmark can show what it saves.
void advise_large_pages(void* data, size_t bytes);

// A block of at least `bytes` that begins and ends on a 2 MB boundary, with the hint above for all of it: a
// block that is not aligned so keeps 4 KB pages at both ends, a fault each (a fifth of a 2048 build's faults).
// Throws std::bad_alloc when there is no memory. Given back with free_large_block.
void* allocate_large_block(size_t bytes);
void free_large_block(void* block) noexcept;

}  // namespace morvane
