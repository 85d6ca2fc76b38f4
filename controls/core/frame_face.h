#pragma once
// elframe, the framed panel, as plain data and pixels: a rectangle in BackColor edged by a sunken one-pixel
// border (Color3DDark top and left, Color3DLight right and bottom). It holds other controls; the host paints
// them onto the frame's surface between its fill and its edge, so the edge stays above them.
#include "controls/core/palette.h"
#include "controls/core/property_list.h"
#include "controls/core/skin.h"
#include "platform/pictures/image32.h"
#include "platform/pictures/twips.h"

#include <cstdint>

namespace morvane::controls {

struct FrameFace {
    uint32_t back = palette::kPanel;  // BackColor
    bool enabled = true;
    uint32_t light = palette::kLightEdge;  // Color3DLight
    uint32_t dark = palette::kDarkEdge;  // Color3DDark
};

// A frame newly placed, before any setting was stored for it, and its outer size (8040 x 6525 twips).
inline constexpr FrameFace kNewFrame{palette::kList, true, palette::kLightEdge, palette::kNewFrameDarkEdge};

const PropertyList<FrameFace>& frame_properties();

void paint_frame_fill(Image32& surface, const FrameFace& face, const BackgroundBlend* blend = nullptr);
// The edge on the outer size: W and H are the outer width and height over each ratio, unrounded.
void paint_frame_edge(Image32& surface, const FrameFace& face, double width_twips, double height_twips,
                      TwipsPerPixel ratios);

}  // namespace morvane::controls
