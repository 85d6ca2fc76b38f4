#pragma once
// Colour values as the program stores them: 0x00BBGGRR (red in the lowest byte), or 0x80000000 + index for a
// system colour, in the classic Windows numbering (5 window, 8 window text, 15 button face, ...).
#include "platform/system/system_colors.h"

#include <QColor>

#include <cstdint>

namespace morvane {

// The actual 0x00BBGGRR colour: plain colours pass through (top byte dropped); system colours come from the
// application's palette where it has the matching role, from the classic Windows defaults otherwise (also for
// indices past the end of the table, which resolve to black).
uint32_t resolve_color(uint32_t value);

// resolve_color as an opaque QColor.
QColor to_qcolor(uint32_t value);

}  // namespace morvane
