#include "platform/system/system_colors.h"

#include <array>

namespace morvane {

namespace {

// Classic Windows defaults by index, 0x00BBGGRR.
constexpr std::array<uint32_t, 31> kClassic = {
    0xC8C8C8,  //  0 scroll bar
    0x000000,  //  1 desktop
    0x6A240A,  //  2 active caption
    0x808080,  //  3 inactive caption
    0xC8D0D4,  //  4 menu
    0xFFFFFF,  //  5 window
    0x000000,  //  6 window frame
    0x000000,  //  7 menu text
    0x000000,  //  8 window text
    0xFFFFFF,  //  9 caption text
    0xC8D0D4,  // 10 active border
    0xC8D0D4,  // 11 inactive border
    0x808080,  // 12 application workspace
    0x6A240A,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xC8D0D4,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 grey text
    0x000000,  // 18 button text
    0xC8D0D4,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x404040,  // 21 3D dark shadow
    0xC8D0D4,  // 22 3D light
    0x000000,  // 23 tooltip text
    0xE1FFFF,  // 24 tooltip background
    0xB5B5B5,  // 25 (unused)
    0x800000,  // 26 hot-tracked item
    0xF0CAA6,  // 27 gradient active caption
    0xC0C0C0,  // 28 gradient inactive caption
    0xFF9933,  // 29 menu highlight
    0xC8D0D4,  // 30 menu bar
};

}  // namespace

uint32_t classic_system_color(uint32_t index) { return index < kClassic.size() ? kClassic[index] : 0x000000u; }

}  // namespace morvane
