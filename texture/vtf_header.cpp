#include "texture/vtf_header.h"

#include <bit>
#include <cstring>

namespace vtfmod {

namespace {

// Appends numbers least significant byte first, whatever the machine's own order.
class LittleEndianWriter {
public:
    explicit LittleEndianWriter(std::vector<uint8_t>& out) : out_(out) {}
    void u8(uint8_t v) { out_.push_back(v); }
    void i16(int16_t v) { put(uint16_t(v), 2); }
    void i32(int32_t v) { put(uint32_t(v), 4); }
    void f32(float v) { put(std::bit_cast<uint32_t>(v), 4); }
    template <size_t N> void raw(const std::array<uint8_t, N>& bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
    void zeros(size_t n) { out_.insert(out_.end(), n, 0); }

private:
    void put(uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out_.push_back(uint8_t(v >> (8 * i)));
    }
    std::vector<uint8_t>& out_;
};

class LittleEndianReader {
public:
    explicit LittleEndianReader(const uint8_t* bytes) : p_(bytes) {}
    uint8_t u8() { return *p_++; }
    int16_t i16() { return int16_t(get(2)); }
    int32_t i32() { return int32_t(get(4)); }
    float f32() { return std::bit_cast<float>(get(4)); }
    template <size_t N> void raw(std::array<uint8_t, N>& bytes) { std::memcpy(bytes.data(), p_, N); p_ += N; }

private:
    uint32_t get(int bytes) {
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= uint32_t(*p_++) << (8 * i);
        return v;
    }
    const uint8_t* p_;
};

constexpr size_t kBytesUpToLoheight = 63;

}  // namespace

std::vector<uint8_t> header_bytes(const VtfHeader& h) {
    std::vector<uint8_t> out;
    out.reserve(kHeaderBytesFromMinor2);
    LittleEndianWriter w(out);
    for (char c : h.signature) w.u8(uint8_t(c));
    w.i32(h.version[0]);
    w.i32(h.version[1]);
    w.i32(h.headersize);
    w.i16(h.width);
    w.i16(h.height);
    w.i32(h.flags);
    w.i16(h.frames);
    w.i16(h.firstframe);
    w.raw(h.padding0);
    for (float r : h.reflectivity) w.f32(r);
    w.raw(h.padding1);
    w.f32(h.bumpscale);
    w.i32(h.hiformat);
    w.u8(h.mipmapcount);
    w.i32(h.loformat);
    w.u8(h.lowidth);
    w.u8(h.loheight);
    if (h.version[1] <= 1) {
        w.zeros(1);
    } else {
        w.i16(h.depth);
        w.zeros(15);
    }
    return out;
}

bool parse_header(const uint8_t* bytes, size_t size, VtfHeader& h) {
    if (size < kBytesUpToLoheight + 1) return false;
    LittleEndianReader r(bytes);
    for (char& c : h.signature) c = char(r.u8());
    h.version[0] = r.i32();
    h.version[1] = r.i32();
    h.headersize = r.i32();
    h.width = r.i16();
    h.height = r.i16();
    h.flags = r.i32();
    h.frames = r.i16();
    h.firstframe = r.i16();
    r.raw(h.padding0);
    for (float& f : h.reflectivity) f = r.f32();
    r.raw(h.padding1);
    h.bumpscale = r.f32();
    h.hiformat = r.i32();
    h.mipmapcount = r.u8();
    h.loformat = r.i32();
    h.lowidth = r.u8();
    h.loheight = r.u8();
    h.depth = 0;
    if (h.version[1] >= 2) {
        if (size < kBytesUpToLoheight + 2) return false;
        h.depth = r.i16();
    }
    return true;
}

}  // namespace vtfmod
