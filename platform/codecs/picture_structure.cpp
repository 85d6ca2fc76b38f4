#include "platform/codecs/picture_structure.h"

#include "platform/codecs/exif_orientation.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace morvane {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kBlock = size_t(64) << 10;
constexpr const char* kClaimsTooMuch = "a part of it claims more bytes than the file holds";

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// A file's bytes one at a time, read a block at a time.
class ByteReader {
public:
    explicit ByteReader(InputFile& in) : in_(in) {}
    // The next byte, or -1 at the end of the file or where it cannot be read.
    int next() {
        if (at_ == block_.size()) {
            at_ = 0;
            if (!in_.read_at(offset_, kBlock, block_).ok || block_.empty()) return block_.clear(), -1;
            offset_ += block_.size();
        }
        return block_[at_++];
    }
    bool skip(uint64_t bytes) {
        const uint64_t here = offset_ - (block_.size() - at_);
        if (bytes > in_.size() - here) return false;
        offset_ = here + bytes;
        block_.clear();
        at_ = 0;
        return true;
    }

private:
    InputFile& in_;
    std::vector<uint8_t> block_;
    size_t at_ = 0;
    uint64_t offset_ = 0;
};

// The values of a pixel of a PNG colour type, 0 for a type that does not exist.
int png_channels(int colour_type) {
    switch (colour_type) {
        case 0: return 1;
        case 2: return 3;
        case 3: return 1;
        case 4: return 2;
        case 6: return 4;
        default: return 0;
    }
}

// The checksum of a chunk's type and data, read in blocks.
Outcome chunk_sum_right(InputFile& in, uint64_t at, uint32_t length, const std::string& type) {
    std::vector<uint8_t> block;
    uLong sum = crc32(0L, Z_NULL, 0);
    for (uint64_t done = 0, total = uint64_t(length) + 4; done < total;) {
        if (!in.read_at(at + 4 + done, size_t(std::min<uint64_t>(kBlock, total - done)), block).ok || block.empty())
            return Outcome::failed("the file ends early");
        sum = crc32(sum, block.data(), uInt(block.size()));
        done += block.size();
    }
    if (!in.read_at(at + 8 + length, 4, block).ok || block.size() < 4) return Outcome::failed("the file ends early");
    return be32(block.data()) == uint32_t(sum) ? Outcome::done() : Outcome::failed(type + ": CRC error");
}

}  // namespace

Outcome png_chunks_fit(InputFile& in, bool whole) {
    std::vector<uint8_t> head;
    if (!in.read_at(0, 8, head).ok || head.size() < 8 || std::memcmp(head.data(), kPngSignature, 8) != 0)
        return Outcome::done();
    uint64_t width = 0, height = 0, bits_per_pixel = 0, compressed = 0;
    bool ended = false;
    uint64_t at = 8;
    for (; at + 12 <= in.size(); ) {
        if (!in.read_at(at, 8 + 13, head).ok || head.size() < 8) return Outcome::done();  // the decoder says why
        const uint64_t length = be32(head.data());
        if (length > in.size() - at - 12) return Outcome::failed(kClaimsTooMuch);
        const std::string type(reinterpret_cast<const char*>(head.data() + 4), 4);
        // libpng lets an ancillary chunk's wrong checksum pass (it drops the chunk) and stops at a critical one.
        if (whole && (type[0] & 0x20) == 0)
            if (Outcome sum = chunk_sum_right(in, at, uint32_t(length), type); !sum.ok) return sum;
        if (type == "IHDR" && length >= 13 && head.size() >= 21) {
            width = be32(head.data() + 8);
            height = be32(head.data() + 12);
            bits_per_pixel = uint64_t(png_channels(head[17])) * head[16];
        }
        if (type == "IDAT") compressed += length;
        at += 12 + length;
        if (type == "IEND") {
            ended = true;
            break;
        }
    }
    // Deflate's longest match, 258 bytes, costs at least two bits: no stream grows by more than 1032 to 1.
    // Every row adds its filter byte; the zlib header and checksum take 6 bytes of no pixels.
    const long double raw = static_cast<long double>((width * bits_per_pixel + 7) / 8 + 1) * height;
    if (width > 0 && height > 0 && bits_per_pixel > 0 && raw > (static_cast<long double>(compressed) + 64) * 1032)
        return Outcome::failed("its header claims " + std::to_string(width) + " x " + std::to_string(height) +
                               " pixels, more than its " + std::to_string(compressed) +
                               " bytes of compressed data can hold");
    if (whole && !ended) return Outcome::failed("the file ends early");
    return Outcome::done();
}

Outcome jpeg_markers_whole(InputFile& in) {
    ByteReader bytes(in);
    if (bytes.next() != 0xFF || bytes.next() != 0xD8) return Outcome::done();
    const Outcome cut = Outcome::failed("Premature end of JPEG file");
    bool scanned = false;
    int marker = -1;  // a marker that ended the scan data before it, still to be handled
    for (;;) {
        if (marker < 0) {
            int byte = bytes.next();
            while (byte >= 0 && byte != 0xFF) byte = bytes.next();  // libjpeg skips stray bytes with a warning
            while (byte == 0xFF) byte = bytes.next();               // fill bytes
            if (byte < 0) return cut;
            marker = byte;
        }
        const int m = std::exchange(marker, -1);
        if (m == 0xD9) return scanned ? Outcome::done() : Outcome::failed("JPEG datastream contains no image");
        if (m == 0x01 || (m >= 0xD0 && m <= 0xD8)) continue;  // standalone markers
        const int high = bytes.next(), low = bytes.next();
        if (low < 0) return cut;
        const int length = high << 8 | low;
        if (length < 2) return Outcome::failed("Corrupt JPEG data: bogus marker length");
        if (!bytes.skip(uint64_t(length) - 2)) return cut;
        if (m != 0xDA) continue;
        // Entropy-coded data up to the next marker; stuffed zeros and restart markers in turn belong to it.
        scanned = true;
        for (int restart = 0; marker < 0;) {
            int byte = bytes.next();
            if (byte < 0) return cut;
            if (byte != 0xFF) continue;
            while (byte == 0xFF) byte = bytes.next();
            if (byte < 0) return cut;
            if (byte == 0) continue;
            if (byte >= 0xD0 && byte <= 0xD7) {
                if (byte != 0xD0 + restart) {
                    char text[80];
                    std::snprintf(text, sizeof text, "Corrupt JPEG data: found marker 0x%02x instead of RST%d", byte,
                                  restart);
                    return Outcome::failed(text);
                }
                restart = (restart + 1) & 7;
                continue;
            }
            marker = byte;
        }
    }
}

int jpeg_orientation_tag(InputFile& in) {
    ByteReader bytes(in);
    if (bytes.next() != 0xFF || bytes.next() != 0xD8) return 0;
    std::vector<uint8_t> segment;
    for (;;) {
        int m = bytes.next();
        if (m != 0xFF) return 0;
        while (m == 0xFF) m = bytes.next();
        if (m < 0 || m == 0xDA || m == 0xD9) return 0;  // the scan, or the end: no tag before it
        if (m == 0x01 || (m >= 0xD0 && m <= 0xD7)) continue;
        const int high = bytes.next(), low = bytes.next();
        const int length = high << 8 | low;
        if (low < 0 || length < 2) return 0;
        if (m != 0xE1) {
            if (!bytes.skip(uint64_t(length) - 2)) return 0;
            continue;
        }
        segment.resize(size_t(length) - 2);
        for (uint8_t& b : segment) {
            const int byte = bytes.next();
            if (byte < 0) return 0;
            b = uint8_t(byte);
        }
        if (const int tag = exif_orientation_tag(segment.data(), segment.size()); tag != 0) return tag;
    }
}

}  // namespace morvane
