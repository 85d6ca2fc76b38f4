#pragma once
// A 2048 build touches about 35 MB of memory (levels, pyramid, DXT buffers). The C library hands large freed
// blocks back to the system, so every build paid again for fresh pages: about 2 microseconds a page here,
// half of the capture's time. Programs call this once at start so that freed blocks stay in the process and
// the next level, or the next build, reuses them. What is kept never exceeds the peak already reached.
namespace morvane {

void keep_freed_memory_for_reuse();

}  // namespace morvane
