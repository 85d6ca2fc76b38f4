#include "platform/codecs/bmp_rows.h"

#include <cstdint>
#include <vector>

namespace morvane {

namespace {

uint32_t le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t le32(const uint8_t* p) { return le16(p) | le16(p + 2) << 16; }

// The compressions whose rows are stored whole, so that their size follows from the header.
bool rows_stored_whole(uint32_t compression) {
    constexpr uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    return compression == kRgb || compression == kBitFields || compression == kAlphaBitFields;
}

}  // namespace

Outcome bmp_rows_fit(InputFile& in) {
    constexpr size_t kFileHeader = 14, kCoreHeader = 12, kInfoHeader = 40;
    std::vector<uint8_t> head;
    if (!in.read_at(0, kFileHeader + kInfoHeader, head).ok || head.size() < kFileHeader + kCoreHeader ||
        head[0] != 'B' || head[1] != 'M')
        return Outcome::done();
    const uint8_t* dib = head.data() + kFileHeader;
    const uint32_t dib_size = le32(dib);
    int64_t width = 0, height = 0;
    uint32_t bits = 0, compression = 0;
    if (dib_size == kCoreHeader) {
        width = le16(dib + 4);
        height = le16(dib + 6);
        bits = le16(dib + 10);
    } else if (dib_size >= kInfoHeader && head.size() >= kFileHeader + kInfoHeader) {
        width = int32_t(le32(dib + 4));
        height = int32_t(le32(dib + 8));  // below zero: rows stored top first
        bits = le16(dib + 14);
        compression = le32(dib + 16);
    } else {
        return Outcome::done();  // a header the decoder will say is wrong
    }
    if (height < 0) height = -height;
    if (!rows_stored_whole(compression) || width <= 0 || height <= 0 || bits == 0 || bits > 64) return Outcome::done();
    const uint64_t row_bytes = (uint64_t(width) * bits + 31) / 32 * 4;
    const uint64_t last_row_bytes = (uint64_t(width) * bits + 7) / 8;  // without its padding
    const uint64_t pixels_at = le32(head.data() + 10);
    const uint64_t needed = pixels_at + row_bytes * uint64_t(height - 1) + last_row_bytes;
    if (in.size() >= needed) return Outcome::done();
    return Outcome::failed("its header claims " + std::to_string(width) + " x " + std::to_string(height) +
                           " pixels in " + std::to_string(pixels_at + row_bytes * uint64_t(height)) +
                           " bytes, but the file holds " + std::to_string(in.size()) + " bytes");
}

}  // namespace morvane
