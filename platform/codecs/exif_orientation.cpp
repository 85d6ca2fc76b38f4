#include "platform/codecs/exif_orientation.h"

#include <cstring>
#include <utility>

namespace morvane {

Image32 upright(Image32 stored, int orientation) {
    if (orientation < 2 || orientation > 8 || stored.empty()) return stored;
    // A mirror or a half turn keeps the size: done in place, so that the picture is held once, not twice.
    if (orientation <= 4) {
        const int w = stored.width, h = stored.height;
        uint8_t* const bytes = stored.bytes.data();
        const size_t stride = stored.stride();
        auto pixel = [&](int x, int y) { return reinterpret_cast<uint32_t*>(bytes + size_t(y) * stride) + x; };
        for (int y = 0; y < (orientation == 2 ? h : (h + 1) / 2); ++y) {
            const int y2 = orientation == 2 ? y : h - 1 - y;
            // Row y2 reversed (2, 3) or as it is (4) changes places with row y; the middle row of an odd
            // height changes places with itself, up to its middle.
            const int end = y == y2 ? w / 2 : w;
            for (int x = 0; x < end; ++x) std::swap(*pixel(x, y), *pixel(orientation == 4 ? x : w - 1 - x, y2));
        }
        stored.touch();
        return stored;
    }
    const int w = stored.width, h = stored.height;
    const bool exchanged = orientation >= 5;
    const Image32& src = stored;
    Image32 out(exchanged ? h : w, exchanged ? w : h);
    for (int y = 0; y < out.height; ++y) {
        uint8_t* row = out.row(y);
        for (int x = 0; x < out.width; ++x) {
            int sx = x, sy = y;  // the stored pixel that shows at (x, y)
            switch (orientation) {
                case 2: sx = w - 1 - x; break;
                case 3: sx = w - 1 - x; sy = h - 1 - y; break;
                case 4: sy = h - 1 - y; break;
                case 5: sx = y; sy = x; break;
                case 6: sx = y; sy = h - 1 - x; break;
                case 7: sx = w - 1 - y; sy = h - 1 - x; break;
                case 8: sx = w - 1 - y; sy = x; break;
            }
            std::memcpy(row + size_t(x) * 4, src.row(sy) + size_t(sx) * 4, 4);
        }
    }
    return out;
}

UprightRows upright_rows(int orientation) {
    if (orientation < 2 || orientation > 8) return {};
    const bool mirrored = orientation == 2 || orientation == 3 || orientation == 6 || orientation == 7;
    const bool bottom_first = orientation == 3 || orientation == 4 || orientation == 7 || orientation == 8;
    return {orientation >= 5, mirrored, bottom_first};
}

void mirror_row(uint8_t* row, int width) {
    for (int a = 0, b = width - 1; a < b; ++a, --b) {
        uint8_t t[4];
        std::memcpy(t, row + size_t(a) * 4, 4);
        std::memcpy(row + size_t(a) * 4, row + size_t(b) * 4, 4);
        std::memcpy(row + size_t(b) * 4, t, 4);
    }
}

namespace {

// A TIFF structure's numbers, in the byte order its header names.
struct TiffBytes {
    const uint8_t* data;
    size_t size;
    bool big_endian;
    bool has(size_t at, size_t bytes) const { return at <= size && bytes <= size - at; }
    uint32_t u16(size_t at) const {
        return big_endian ? uint32_t(data[at]) << 8 | data[at + 1] : uint32_t(data[at + 1]) << 8 | data[at];
    }
    uint32_t u32(size_t at) const {
        return big_endian ? u16(at) << 16 | u16(at + 2) : u16(at + 2) << 16 | u16(at);
    }
};

}  // namespace

int exif_orientation_tag(const uint8_t* block, size_t size) {
    constexpr size_t kHeader = 6;  // "Exif\0\0"
    if (!block || size < kHeader + 8 || std::memcmp(block, "Exif\0\0", kHeader) != 0) return 0;
    const uint8_t* tiff = block + kHeader;
    TiffBytes t{tiff, size - kHeader, tiff[0] == 'M'};
    if (!(tiff[0] == tiff[1] && (tiff[0] == 'I' || tiff[0] == 'M')) || t.u16(2) != 42) return 0;
    const size_t directory = t.u32(4);
    if (!t.has(directory, 2)) return 0;
    const size_t entries = t.u16(directory);
    for (size_t i = 0; i < entries; ++i) {
        const size_t entry = directory + 2 + i * 12;
        if (!t.has(entry, 12)) return 0;
        if (t.u16(entry) != 0x0112) continue;
        constexpr uint32_t kShort = 3;
        if (t.u16(entry + 2) != kShort || t.u32(entry + 4) < 1) return 0;
        const uint32_t value = t.u16(entry + 8);
        return value >= 1 && value <= 8 ? int(value) : 0;
    }
    return 0;
}

}  // namespace morvane
