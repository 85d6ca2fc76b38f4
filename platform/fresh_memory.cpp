#include "platform/fresh_memory.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace morvane {

void advise_large_pages(void* data, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const uintptr_t begin = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = (begin + kLargePageBytes - 1) & ~uintptr_t(kLargePageBytes - 1);
    const uintptr_t end = (begin + bytes) & ~uintptr_t(kLargePageBytes - 1);
    // Only whole large pages inside the array: the memory around it may belong to other allocations.
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);  // a hint; failure is harmless
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace morvane
