#pragma once
// Colour values as the program stores them: 0x00BBGGRR (red in the lowest byte), or 0x80000000 + index for a
// system colour, in the classic Windows numbering (5 window, 8 window text, 15 button face, ...).
#include <cstdint>

namespace morvane {

constexpr uint32_t kSystemColorFlag = 0x80000000u;
constexpr uint32_t kSystemWindow = 0x80000005u;
constexpr uint32_t kSystemWindowText = 0x80000008u;

inline bool is_system_color(uint32_t value) { return (value & kSystemColorFlag) != 0; }

// The classic Windows default of a system colour index, 0x00BBGGRR; black past the end of the table.
uint32_t classic_system_color(uint32_t index);

// The actual 0x00BBGGRR colour with the classic defaults for system colours (plain colours lose their top byte).
inline uint32_t resolve_classic_color(uint32_t value) {
    return is_system_color(value) ? classic_system_color(value & 0x00FFFFFFu) : value & 0x00FFFFFFu;
}

}  // namespace morvane
