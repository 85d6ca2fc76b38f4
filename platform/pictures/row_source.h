#pragma once
// A picture that arrives row by row, in the program's pixels (blue, green, red, 255): a decoder that can hand
// over a few rows at a time, so that they are drawn while the rest is still being decoded. The rows come top
// first, or bottom first where the picture was stored upside down and its decoder cannot begin at the bottom.
#include "platform/outcome.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace morvane {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // The next `count` rows, into rows[0] .. rows[count - 1], each width() * 4 bytes. A failure says why the
    // picture broke off, in the decoder's own words ("Premature end of JPEG file"); no more rows come then.
    virtual Outcome read_rows(uint8_t* const* rows, int count) = 0;
    // True when the n-th row read is the picture's row height() - 1 - n.
    virtual bool bottom_first() const { return false; }
};

// A picture file read into memory and opened by a row decoder over its bytes: what a build that draws the
// picture while it is decoded needs.
template <class Decoder>
struct DecodingFile {
    std::vector<uint8_t> bytes;
    std::unique_ptr<Decoder> decoder;  // over `bytes`, which moving this along keeps where they are

    // Nothing where the decoder is not ok() for the bytes.
    static std::optional<DecodingFile> open(std::vector<uint8_t> bytes, size_t max_bytes) {
        DecodingFile file{std::move(bytes), nullptr};
        file.decoder = std::make_unique<Decoder>(file.bytes.data(), file.bytes.size(), max_bytes);
        if (!file.decoder->ok()) return std::nullopt;
        return file;
    }
};

}  // namespace morvane
