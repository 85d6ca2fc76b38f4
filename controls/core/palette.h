#pragma once
// The colours the four controls fall back to when a layout stores none for a property, each named once; every
// face's defaults (and so its property list's) are made of these. 0x00BBGGRR, or a system colour.
#include "platform/system/system_colors.h"

#include <cstdint>

namespace morvane::controls::palette {

inline constexpr uint32_t kPanel = 0x44584C;      // the button's and the frame's BackColor
inline constexpr uint32_t kList = 0x37463E;       // the combo box's and the bar's BackColor; the drop-down list's
inline constexpr uint32_t kLightEdge = 0x95AAA0;  // every Color3DLight; the combo box's triangle
inline constexpr uint32_t kDarkEdge = kSystemWindowText;  // every Color3DDark
inline constexpr uint32_t kCaption = 0xFFFFFF;    // the button's caption
inline constexpr uint32_t kListText = 0xD3DED8;   // the combo box's text
inline constexpr uint32_t kBlocks = 0x50B5C4;     // the bar's blocks
// The dark edge of a frame newly placed, before any setting was stored for it.
inline constexpr uint32_t kNewFrameDarkEdge = 0x222E28;

}  // namespace morvane::controls::palette
