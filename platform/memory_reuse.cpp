#include "platform/memory_reuse.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace morvane {

void keep_freed_memory_for_reuse() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 << 20);  // bytes; blocks up to here (any level) come from the heap...
    mallopt(M_TRIM_THRESHOLD, 1 << 30);   // ...and the heap keeps what is freed rather than returning it
#endif
}

}  // namespace morvane
