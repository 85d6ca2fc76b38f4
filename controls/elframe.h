#pragma once
// elframe: a framed panel with a sunken one-pixel edge (Color3DDark top and left, Color3DLight right and
// bottom). It is a container: widgets created with the frame as parent are placed from its top-left corner in
// pixels and clipped by it; the edge stays visible above them.
// Its stored properties are the four all controls share, declared in properties() (elframe.cpp).
// Events raised: Click, MouseDown, MouseMove, MouseUp, DblClick (positions in the frame's own pixels).
//
// A frame that has never read settings shows the look of a newly placed one: BackColor 0x37463E, dark edge
// 0x222E28, light edge 0x95AAA0, 8040 x 6525 twips.
#include "controls/skinned_control.h"

namespace morvane::controls {

class elframe : public SkinnedControl {
    Q_OBJECT

public:
    explicit elframe(QWidget* parent = nullptr);

    const PropertyTable& properties() const override;

protected:
    SizeRule size_rule() const override { return {}; }
};

}  // namespace morvane::controls
