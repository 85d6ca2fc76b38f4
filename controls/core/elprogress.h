#pragma once
// elprogress, the progress bar: Value within Min..Max as a row of blocks (its look and range rules in
// progress_face.h). Every redraw repeats the last background blend below the blocks. Events: Click, DblClick,
// MouseDown, MouseMove, MouseUp.
#include "controls/core/progress_face.h"
#include "controls/core/skinned_control.h"

namespace morvane::controls {

class elprogress : public SkinnedControl<ProgressFace> {
public:
    elprogress() : SkinnedControl(progress_properties(), kProgressSizeRule, TwipsSize{2400, 360}, {}, false, true) {}

    uint32_t ForeColor() const { return face_.fore; }  // the blocks'
    void set_ForeColor(uint32_t color) { set_property("ForeColor", int64_t(color)); }
    uint32_t Color3DLight() const { return face_.light; }
    uint32_t Color3DDark() const { return face_.dark; }
    int32_t Min() const { return face_.min; }
    int32_t Max() const { return face_.max; }
    int32_t Value() const { return face_.value; }
    // Min always ends at 0; Max is at least Min; Value is kept within Min..Max.
    void set_Min(int32_t v) { set_property("Min", v); }
    void set_Max(int32_t v) { set_property("Max", v); }
    void set_Value(int32_t v) { set_property("Value", v); }
};

}  // namespace morvane::controls
