#include "texture/vtf_reader.h"

#include "texture/vtf_format.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace morvane::texture {

namespace {

using morvane::Outcome;

Outcome check_header(const VtfHeader& h) {
    if (std::memcmp(h.signature.data(), "VTF\0", 4) != 0) return Outcome::failed("it does not begin with the VTF signature");
    if (h.version[0] != 7 || h.version[1] < 0 || h.version[1] > 2)
        return Outcome::failed("its version " + std::to_string(h.version[0]) + "." + std::to_string(h.version[1]) +
                               " is not 7.0, 7.1 or 7.2");
    const int expected_header = h.version[1] >= 2 ? kHeaderBytesFromMinor2 : kHeaderBytesUpToMinor1;
    if (h.headersize != expected_header)
        return Outcome::failed("its header size " + std::to_string(h.headersize) + " should be " +
                               std::to_string(expected_header));
    if (h.width < 1 || h.height < 1) return Outcome::failed("its size is not positive");
    if (h.frames < 1) return Outcome::failed("it has no frames");
    if (h.mipmapcount < 1) return Outcome::failed("it has no mip levels");
    // Each level halves the one above it, down to 1 x 1: a larger count would shift sizes past their width.
    const int most_levels = std::bit_width(unsigned(std::max(h.width, h.height)));
    if (h.mipmapcount > most_levels)
        return Outcome::failed("it claims " + std::to_string(h.mipmapcount) + " mip levels, but a " +
                               std::to_string(h.width) + " x " + std::to_string(h.height) +
                               " texture has at most " + std::to_string(most_levels));
    if (image_bytes(h.hiformat, 1, 1) < 0)
        return Outcome::failed("its image format " + std::to_string(h.hiformat) + " is unknown");
    if (h.lowidth > 0 && h.loheight > 0 && image_bytes(h.loformat, 1, 1) < 0)
        return Outcome::failed("its low-resolution format " + std::to_string(h.loformat) + " is unknown");
    return Outcome::done();
}

}  // namespace

morvane::Result<VtfLayout> read_vtf_layout(const uint8_t* bytes, std::size_t size) {
    using Read = morvane::Result<VtfLayout>;
    Read read = Read::made(VtfLayout{});
    VtfLayout& layout = read.value;
    if (size < 4 || std::memcmp(bytes, "VTF\0", 4) != 0)
        return Read::failed("it does not begin with the VTF signature");
    const morvane::Result<VtfHeader> parsed = parse_header(bytes, size);
    if (!parsed.ok) return Read::failed(parsed);
    layout.header = parsed.value;
    const VtfHeader& h = layout.header;
    if (const Outcome header = check_header(h); !header.ok) return Read::failed(header);

    layout.faces = (h.flags & EnviromentMap) ? 6 : 1;
    const int depth = h.version[1] >= 2 ? std::max<int>(1, h.depth) : 1;
    uint64_t offset = uint64_t(h.headersize);
    // Frames, faces and slices multiply: a crafted header can claim more bytes than 64 bits count, which
    // would wrap round to a size that looks plausible.
    bool wrapped = false;
    const auto times = [&wrapped](uint64_t a, uint64_t b) {
        uint64_t product = 0;
        wrapped |= __builtin_mul_overflow(a, b, &product);
        return product;
    };
    const auto add_block = [&](int level, int32_t w, int32_t ht, uint64_t bytes) {
        layout.blocks.push_back({level, w, ht, offset, bytes});
        wrapped |= __builtin_add_overflow(offset, bytes, &offset);
    };
    if (h.lowidth > 0 && h.loheight > 0 && h.loformat != NONE)
        add_block(-1, h.lowidth, h.loheight, uint64_t(image_bytes(h.loformat, h.lowidth, h.loheight)));
    for (int level = 0; level < h.mipmapcount; ++level) {
        const int shift = h.mipmapcount - 1 - level;
        const int32_t w = std::max(1, h.width >> shift);
        const int32_t ht = std::max(1, h.height >> shift);
        const uint64_t slices = uint64_t(std::max(1, depth >> shift));
        add_block(level, w, ht,
                  times(times(times(uint64_t(image_bytes(h.hiformat, w, ht)), uint64_t(h.frames)), uint64_t(layout.faces)),
                        slices));
    }
    if (wrapped) return Read::failed("its header claims more bytes than any file can hold");
    layout.expected_size = offset;
    return read;
}

}  // namespace morvane::texture
