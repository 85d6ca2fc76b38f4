#pragma once
// A picture that arrives row by row, top first, in the program's pixels (blue, green, red, 255): a decoder
// that can hand over a few rows at a time, so that they are drawn while the rest is still being decoded.
#include <cstdint>

namespace morvane {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // The next `count` rows, into rows[0] .. rows[count - 1], each width() * 4 bytes. False when the picture
    // broke off and no more rows will come.
    virtual bool read_rows(uint8_t* const* rows, int count) = 0;
};

}  // namespace morvane
