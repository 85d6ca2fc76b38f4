#pragma once
// Reading a VTF 7.0 - 7.2 file's header and working out where its blocks lie: what `morvane-cli inspect`
// shows, and what tests use to find the levels in a written file.
#include "platform/outcome.h"
#include "texture/vtf_header.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace morvane::texture {

struct VtfBlock {
    int level = -1;        // -1 for the low-resolution image, else 0 = smallest level
    int32_t width = 0;     // pixels
    int32_t height = 0;    // pixels
    uint64_t offset = 0;   // bytes from the start of the file
    uint64_t size = 0;     // bytes, all frames, faces and slices of the level together
};

struct VtfLayout {
    VtfHeader header;
    int faces = 1;              // 6 for an environment map
    std::vector<VtfBlock> blocks;  // low-resolution image (when present), then levels smallest first
    uint64_t expected_size = 0;    // bytes: header plus every block
};

// The layout the first bytes of a file describe, or why the bytes are no VTF this can read.
morvane::Result<VtfLayout> read_vtf_layout(const uint8_t* bytes, std::size_t size);

}  // namespace morvane::texture
