// The texture reader behind `morvane-cli inspect`: any bytes give a layout or a reason, and a layout's
// blocks follow each other without gaps up to the size it expects.
#include "texture/vtf_reader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const morvane::Result<morvane::texture::VtfLayout> read = morvane::texture::read_vtf_layout(data, size);
    if (!read.ok) return 0;
    const morvane::texture::VtfLayout& layout = read.value;
    uint64_t offset = uint64_t(layout.header.headersize);
    for (const morvane::texture::VtfBlock& block : layout.blocks) {
        if (block.offset != offset || block.width < 1 || block.height < 1) std::abort();
        offset += block.size;
    }
    if (offset != layout.expected_size) std::abort();
    return 0;
}
