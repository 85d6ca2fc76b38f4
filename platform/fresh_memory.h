#pragma once
// Fresh memory for large pixel arrays. On these machines most of the cost of a new 16 MB image is not the
// writing but the page faults of its first touch, one per 4 KB page. Asking the system to back the array
// with 2 MB pages (where it allows that, as Linux does on request) makes it one fault per 2 MB.
#include <cstddef>
#include <vector>

namespace morvane {

inline constexpr size_t kLargePageBytes = size_t(2) << 20;

// Asks the system to back the whole 2 MB pages inside [data, data + bytes) with large pages; only a hint,
// and nothing happens where the system does not offer them. Call it before the memory is first written.
void advise_large_pages(void* data, size_t bytes);

// Makes room for n elements in `v`. Arrays of 2 MB and more that need more than the capacity they have get
// new memory, advised as above, and lose their contents: for callers that write all of it next.
template <class T>
void reserve_fresh(std::vector<T>& v, size_t n) {
    if (n <= v.capacity() || n * sizeof(T) < kLargePageBytes) return;
    std::vector<T> fresh;
    fresh.reserve(n);
    advise_large_pages(fresh.data(), n * sizeof(T));
    v.swap(fresh);
}

}  // namespace morvane
