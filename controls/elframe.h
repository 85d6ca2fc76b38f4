#pragma once
// elframe: a framed panel with a sunken one-pixel edge (its look in controls/core/frame_face.h). It is a
// container: widgets created with the frame as parent are placed from its top-left corner in pixels and clipped
// by it; the edge stays visible above them.
// Events raised: Click, MouseDown, MouseMove, MouseUp, DblClick (positions in the frame's own pixels).
//
// A frame that has never read settings shows the look of a newly placed one: BackColor 0x37463E, dark edge
// 0x222E28, light edge 0x95AAA0, 8040 x 6525 twips.
#include "controls/core/frame_face.h"
#include "controls/skinned_control.h"

namespace morvane::controls {

class elframe : public FaceControl<FrameFace> {
    Q_OBJECT

public:
    explicit elframe(QWidget* parent = nullptr);

protected:
    SizeRule size_rule() const override { return {}; }
    void paint_face(Image32& surface, const BackgroundBlend* blend) const override;
    void layout_content() override;
    void childEvent(QChildEvent* event) override;

private:
    QWidget* edge_ = nullptr;  // paints the edge lines above whatever the frame holds
};

}  // namespace morvane::controls
