#pragma once
// elprogress: a sunken strip, 24 pixels high, showing Value within 0..Max as a row of separate blocks (its look
// and rules in controls/core/progress_face.h). Every redraw repeats the last background blend below the blocks.
// Events raised: Click, DblClick, MouseDown, MouseMove, MouseUp.
//
//   bar->set_Max(mip_count);  bar->set_Value(0);  ...  bar->set_Value(bar->Value() + 1);
#include "controls/core/progress_face.h"
#include "controls/skinned_control.h"

namespace morvane::controls {

class elprogress : public FaceControl<ProgressFace> {
    Q_OBJECT

public:
    explicit elprogress(QWidget* parent = nullptr);

    uint32_t ForeColor() const { return face_.fore; }  // the blocks' colour
    void set_ForeColor(uint32_t color) { set_property("ForeColor", int64_t(color)); }

    int32_t Min() const { return face_.min; }
    int32_t Max() const { return face_.max; }
    int32_t Value() const { return face_.value; }
    // Min always ends at 0; Max is at least Min; Value is kept within Min..Max. Each redraws the bar.
    void set_Min(int32_t v) { set_property("Min", v); }
    void set_Max(int32_t v) { set_property("Max", v); }
    void set_Value(int32_t v) { set_property("Value", v); }

    // The number of blocks the bar shows now.
    int filled_blocks() const { return controls::filled_blocks(face_, width()); }

protected:
    SizeRule size_rule() const override { return kProgressSizeRule; }
    void paint_face(Image32& surface, const BackgroundBlend* blend) const override;
    bool keeps_blend() const override { return true; }
    void property_set(const std::string& key) override;
};

}  // namespace morvane::controls
