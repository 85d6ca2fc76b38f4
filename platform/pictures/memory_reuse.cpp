#include "platform/pictures/memory_reuse.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <cstdint>
#include <new>
#include <system_error>
#include <thread>

namespace morvane {

namespace {
constexpr size_t kLargePageBytes = size_t(2) << 20;
size_t whole_large_pages(size_t bytes) { return (bytes + kLargePageBytes - 1) / kLargePageBytes * kLargePageBytes; }
}  // namespace

void keep_freed_memory_for_reuse() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 << 20);  // bytes; blocks up to here (any level) come from the heap...
    mallopt(M_TRIM_THRESHOLD, 1 << 30);   // ...and the heap keeps what is freed rather than returning it
#endif
}

void advise_large_pages(void* data, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    static const bool small_pages_only = std::getenv("MORVANE_SMALL_PAGES") != nullptr;  // to measure what they save
    if (small_pages_only) return;
    constexpr uintptr_t kLargePage = kLargePageBytes;
    const uintptr_t begin = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t end = (begin + bytes) & ~(kLargePage - 1);
    // Only whole large pages inside the block: the memory around it may belong to other allocations.
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

namespace {

// One write per small page: each page the process had not used yet is faulted in and cleared by the system
// here; a page it had is only written once more.
void touch_pages(uint8_t* begin, uint8_t* end) {
    constexpr size_t kSmallPage = 4096;
    for (volatile uint8_t* p = begin; p < end; p += kSmallPage) *p = 0;
}

// Blocks from here on have their pages touched on two cores at once, half each.
constexpr size_t kTouchOnTwoCoresBytes = size_t(8) << 20;

}  // namespace

void* allocate_large_block(size_t bytes) {
    const size_t whole = whole_large_pages(bytes);
    void* block = ::operator new(whole, std::align_val_t(kLargePageBytes));
    advise_large_pages(block, whole);
    // The caller is about to fill the block on one core, and would meet every fresh page's fault and clearing
    // (the better part of a build's processor time on these virtual machines) on that core alone.
    if (whole >= kTouchOnTwoCoresBytes) {
        uint8_t* const begin = static_cast<uint8_t*>(block);
        uint8_t* const middle = begin + whole / 2;
        try {
            std::thread other(touch_pages, middle, begin + whole);
            touch_pages(begin, middle);
            other.join();
        } catch (const std::system_error&) {
            touch_pages(begin, begin + whole);  // no thread to spare: all of it here
        }
    }
    return block;
}

void free_large_block(void* block) noexcept { ::operator delete(block, std::align_val_t(kLargePageBytes)); }

}  // namespace morvane
