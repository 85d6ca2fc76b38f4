#pragma once
// elframe, the framed panel that holds other controls (its look in frame_face.h). Events: Click, DblClick,
// MouseDown, MouseMove, MouseUp. A frame that read no settings looks newly placed (kNewFrame, 8040 x 6525 twips).
#include "controls/core/frame_face.h"
#include "controls/core/skinned_control.h"

namespace morvane::controls {

class elframe : public SkinnedControl<FrameFace> {
public:
    elframe() : SkinnedControl(frame_properties(), SizeRule{}, TwipsSize{8040, 6525}, kNewFrame) {}
    uint32_t Color3DLight() const { return face_.light; }
    uint32_t Color3DDark() const { return face_.dark; }
};

}  // namespace morvane::controls
