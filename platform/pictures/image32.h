#pragma once
// A plain 32-bit picture: rows top first, no row padding, each pixel four bytes in memory order
// blue, green, red, fourth byte (255 = opaque). This is the layout the DXT library takes directly.
#include "platform/pictures/memory_reuse.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace morvane {

// Pixel and block buffers are written in full right after they are sized (decoded, drawn, compressed into),
// so sizing them leaves the bytes as the memory held them: zeroing 64 MB for a 5120 x 2880 photograph only to
// overwrite it cost as much as decoding it. Whoever needs zeros asks for them (assign(n, 0)).
// Blocks from here on (a 512 x 512 level and larger) are whole 2 MB pages where the system allows it.
inline constexpr size_t kLargeBlockBytes = size_t(1) << 20;

template <class T>
struct UnfilledAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UnfilledAllocator<U>;
    };
    UnfilledAllocator() = default;
    template <class U>
    UnfilledAllocator(const UnfilledAllocator<U>&) noexcept {}
    T* allocate(size_t n) {
        if (n * sizeof(T) >= kLargeBlockBytes) return static_cast<T*>(allocate_large_block(n * sizeof(T)));
        return std::allocator<T>::allocate(n);
    }
    void deallocate(T* p, size_t n) noexcept {
        if (n * sizeof(T) >= kLargeBlockBytes) free_large_block(p);
        else std::allocator<T>::deallocate(p, n);
    }
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;  // default-initialised: no value written
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
using PixelBytes = std::vector<uint8_t, UnfilledAllocator<uint8_t>>;

// A number no other image content has had in this process (see Image32::generation).
inline uint64_t next_image_generation() {
    static std::atomic<uint64_t> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
}

struct Bgra {
    uint8_t b = 0, g = 0, r = 0, a = 255;
    friend bool operator==(const Bgra&, const Bgra&) = default;
};

// 0x00BBGGRR, red in the lowest byte, as colour values are stored everywhere in the program.
inline Bgra bgra_from_colorref(uint32_t colorref) {
    return Bgra{uint8_t(colorref >> 16), uint8_t(colorref >> 8), uint8_t(colorref), 255};
}
inline uint32_t colorref_from_bgra(Bgra p) { return uint32_t(p.r) | uint32_t(p.g) << 8 | uint32_t(p.b) << 16; }

struct Image32 {
    int width = 0;   // pixels
    int height = 0;  // pixels
    PixelBytes bytes;  // 4 * width * height

    Image32() = default;
    Image32(int w, int h, Bgra fill = {}) { reset(w, h, fill); }

    // Changes whenever the pixels may have changed through this struct's functions, so that data derived
    // from them (a surface's reduction pyramid) can tell it is stale. Code that writes `bytes` directly,
    // rather than through row() or the setters, calls touch() afterwards.
    uint64_t generation() const { return generation_; }
    void touch() { generation_ = next_image_generation(); }

    void reset(int w, int h, Bgra fill = {}) {
        width = w > 0 ? w : 0;
        height = h > 0 ? h : 0;
        bytes.resize(size_t(width) * size_t(height) * 4);
        this->fill(fill);
    }
    // Sized for a writer that sets every byte next (a decoder): the bytes are whatever the memory held.
    static Image32 unfilled(int w, int h) {
        Image32 image;
        image.width = w > 0 ? w : 0;
        image.height = h > 0 ? h : 0;
        image.bytes.resize(size_t(image.width) * size_t(image.height) * 4);
        return image;
    }
    void fill(Bgra p) {
        touch();
        const uint8_t pixel[4] = {p.b, p.g, p.r, p.a};
        uint32_t word;
        std::memcpy(&word, pixel, 4);
        const size_t n = bytes.size() / 4;
        uint8_t* out = bytes.data();
        for (size_t i = 0; i < n; ++i) std::memcpy(out + 4 * i, &word, 4);  // one 32-bit store per pixel
    }
    bool empty() const { return width == 0 || height == 0; }
    // Width, height and bytes agree. An image assembled by hand might not, and must not be read past its end.
    bool well_formed() const { return bytes.size() >= size_t(width) * size_t(height) * 4; }
    size_t stride() const { return size_t(width) * 4; }  // bytes per row
    uint8_t* row(int y) {
        touch();
        return bytes.data() + size_t(y) * stride();
    }
    const uint8_t* row(int y) const { return bytes.data() + size_t(y) * stride(); }
    Bgra pixel(int x, int y) const {
        const uint8_t* p = row(y) + size_t(x) * 4;
        return Bgra{p[0], p[1], p[2], p[3]};
    }
    void set_pixel(int x, int y, Bgra v) {
        uint8_t* p = row(y) + size_t(x) * 4;  // row() marks the change
        p[0] = v.b; p[1] = v.g; p[2] = v.r; p[3] = v.a;
    }

private:
    uint64_t generation_ = next_image_generation();
};

struct PixelRect {
    int x = 0, y = 0;           // pixels
    int width = 0, height = 0;  // pixels
};

// The part of `rect` that lies on `image`, in the image's pixels; no width or no height when none does, as a
// device context clips. Sums in 64 bits: x + width may overflow an int.
inline PixelRect clip_to(const Image32& image, PixelRect rect) {
    const int left = std::max(rect.x, 0);
    const int top = std::max(rect.y, 0);
    const int64_t right = std::min<int64_t>(int64_t(rect.x) + rect.width, image.width);
    const int64_t bottom = std::min<int64_t>(int64_t(rect.y) + rect.height, image.height);
    return PixelRect{left, top, int(std::max<int64_t>(right - left, 0)), int(std::max<int64_t>(bottom - top, 0))};
}

}  // namespace morvane
