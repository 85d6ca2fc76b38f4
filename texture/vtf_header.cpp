#include "texture/vtf_header.h"

#include <bit>
#include <type_traits>

namespace morvane::texture {

namespace {

// The header's fields up to `loheight` in file order. One list serves writing and reading, so the two
// cannot drift apart; `io` is called with every field.
template <class Header, class Io>
void each_field(Header& h, Io& io) {
    io(h.signature);
    io(h.version);
    io(h.headersize);
    io(h.width);
    io(h.height);
    io(h.flags);
    io(h.frames);
    io(h.firstframe);
    io(h.padding0);
    io(h.reflectivity);
    io(h.padding1);
    io(h.bumpscale);
    io(h.hiformat);
    io(h.mipmapcount);
    io(h.loformat);
    io(h.lowidth);
    io(h.loheight);
}

template <class T>
using Bits = std::conditional_t<sizeof(T) == 1, uint8_t, std::conditional_t<sizeof(T) == 2, uint16_t, uint32_t>>;

// Numbers least significant byte first, whatever the machine's own order; arrays element by element.
struct LittleEndianWriter {
    std::vector<uint8_t>& out;
    template <class T> void operator()(const T& value) {
        if constexpr (requires { value.size(); }) {
            for (const auto& element : value) (*this)(element);
        } else {
            const auto bits = std::bit_cast<Bits<T>>(value);
            for (size_t i = 0; i < sizeof(T); ++i) out.push_back(uint8_t(bits >> (8 * i)));
        }
    }
};

struct LittleEndianReader {
    const uint8_t* in;
    template <class T> void operator()(T& value) {
        if constexpr (requires { value.size(); }) {
            for (auto& element : value) (*this)(element);
        } else {
            Bits<T> bits = 0;
            for (size_t i = 0; i < sizeof(T); ++i) bits = Bits<T>(bits | Bits<T>(*in++) << (8 * i));
            value = std::bit_cast<T>(bits);
        }
    }
};

constexpr size_t kBytesUpToLoheight = 63;

}  // namespace

std::vector<uint8_t> header_bytes(const VtfHeader& h) {
    std::vector<uint8_t> out;
    out.reserve(kHeaderBytesFromMinor2);
    LittleEndianWriter write{out};
    each_field(h, write);
    if (h.version[1] >= 2) write(h.depth);
    out.resize(h.version[1] >= 2 ? kHeaderBytesFromMinor2 : kHeaderBytesUpToMinor1, 0);  // zero padding
    return out;
}

morvane::Result<VtfHeader> parse_header(const uint8_t* bytes, size_t size) {
    using Parsed = morvane::Result<VtfHeader>;
    const Parsed too_short = Parsed::failed("it is shorter than a VTF header");
    if (size < kBytesUpToLoheight + 1) return too_short;
    Parsed parsed = Parsed::made({});
    VtfHeader& h = parsed.value;
    LittleEndianReader read{bytes};
    each_field(h, read);
    if (h.version[1] >= 2) {
        if (size < kBytesUpToLoheight + 2) return too_short;
        read(h.depth);
    }
    return parsed;
}

}  // namespace morvane::texture
