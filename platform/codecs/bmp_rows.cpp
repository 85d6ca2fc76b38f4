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

// Whether run-length coded rows (4 or 8 bits a pixel) reach their last row, or the end-of-picture code, before
// the file ends. Each code is walked, not decoded: a decoder fills the rows a cut file lacks with black.
Outcome coded_rows_fit(InputFile& in, uint64_t at, int64_t width, int64_t height, bool four_bits) {
    std::vector<uint8_t> block;
    size_t next = 0;
    auto byte = [&]() -> int {
        if (next == block.size()) {
            next = 0;
            if (!in.read_at(at, size_t(64) << 10, block).ok || block.empty()) return block.clear(), -1;
            at += block.size();
        }
        return block[next++];
    };
    int64_t x = 0, row = 0;
    const auto cut = [&] {
        return Outcome::failed("its data ends after " + std::to_string(row) + " of its " + std::to_string(height) +
                               " rows");
    };
    while (row < height) {
        const int count = byte(), code = byte();
        if (code < 0) {
            if (row == height - 1 && x >= width) break;  // a writer that leaves out the last row's end code
            return cut();
        }
        if (count != 0) {
            x += count;  // `count` pixels of one value
        } else if (code == 0) {
            ++row, x = 0;
        } else if (code == 1) {
            break;  // the end of the picture: the rest is left blank on purpose
        } else if (code == 2) {
            const int right = byte(), down = byte();
            if (down < 0) continue;  // the loop's next read says it
            x += right, row += down;
        } else {
            x += code;
            // `code` pixels as they are, padded to a whole number of 16-bit words.
            const int bytes = four_bits ? (code + 1) / 2 : code;
            for (int i = 0; i < bytes + (bytes & 1); ++i)
                if (byte() < 0) return cut();
        }
    }
    return Outcome::done();
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
    // The fields are signed: a negative width is no picture, whatever a decoder makes of it.
    if (width <= 0 || height == 0)
        return Outcome::failed("its header claims " + std::to_string(width) + " x " + std::to_string(height) +
                               " pixels");
    if (height < 0) height = -height;
    const uint64_t pixels_at = le32(head.data() + 10);
    constexpr uint32_t kRle8 = 1, kRle4 = 2;
    if ((compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4))
        return coded_rows_fit(in, pixels_at, width, height, compression == kRle4);
    if (!rows_stored_whole(compression) || bits == 0 || bits > 64) return Outcome::done();
    const uint64_t row_bytes = (uint64_t(width) * bits + 31) / 32 * 4;
    const uint64_t last_row_bytes = (uint64_t(width) * bits + 7) / 8;  // without its padding
    const uint64_t needed = pixels_at + row_bytes * uint64_t(height - 1) + last_row_bytes;
    if (in.size() >= needed) return Outcome::done();
    return Outcome::failed("its header claims " + std::to_string(width) + " x " + std::to_string(height) +
                           " pixels in " + std::to_string(pixels_at + row_bytes * uint64_t(height)) +
                           " bytes, but the file holds " + std::to_string(in.size()) + " bytes");
}

}  // namespace morvane
