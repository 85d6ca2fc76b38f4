#pragma once
// elprogress: a sunken strip, 24 pixels high, showing Value within 0..Max as a row of separate blocks drawn
// on its surface in ForeColor: 8 x 16 pixels each, 12 pixels apart, the first 4 pixels from the left, as many
// as fit (SW / 12) and filled in proportion Value / Max.
// Its stored properties, their order and defaults are declared in properties() (elprogress.cpp).
// Events raised: Click, DblClick, MouseDown, MouseMove, MouseUp.
//
//   bar->set_Max(mip_count);  bar->set_Value(0);  ...  bar->set_Value(bar->Value() + 1);
#include "controls/skinned_control.h"

namespace morvane::controls {

class elprogress : public SkinnedControl {
    Q_OBJECT

public:
    explicit elprogress(QWidget* parent = nullptr);

    // Also remembers the four arguments: every later redraw of the bar repeats this blend below the blocks.
    void obtener_imagen_fondo(SurfaceHandle source, int32_t X, int32_t Y, int16_t opacity) override;

    uint32_t ForeColor() const { return fore_color_; }  // the blocks' colour
    void set_ForeColor(uint32_t color);

    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }
    int32_t Value() const { return value_; }
    // Min always ends at 0; Max is at least Min; Value is kept within Min..Max. Each redraws the bar.
    void set_Min(int32_t v);
    void set_Max(int32_t v);
    void set_Value(int32_t v);

    // The number of blocks the bar shows now.
    int filled_blocks() const;

    const PropertyTable& properties() const override;

protected:
    SizeRule size_rule() const override { return SizeRule{360.0, 360.0}; }
    void layout_content() override { draw_bar(); }
    void redraw() override { draw_bar(); }

private:
    void draw_bar();

    uint32_t fore_color_ = 0x50B5C4;
    int32_t min_ = 0;
    int32_t max_ = 10;
    int32_t value_ = 0;
    struct RememberedBlend {
        SurfaceHandle source = 0;
        int32_t x = 0, y = 0;
        uint8_t opacity = 0;
    } blend_;
};

}  // namespace morvane::controls
