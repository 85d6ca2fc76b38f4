#include "controls/elframe.h"

namespace morvane {

elframe::elframe(QWidget* parent) : SkinnedControl(parent, EdgeLook::Sunken, TwipsSize{8040, 6525}) {
    apply_back_color(0x37463E);
    apply_dark_color(0x222E28);
    apply_light_color(0x95AAA0);
    finish_construction();
}

const PropertyTable& elframe::properties() const {
    using K = PropertyKind;
    static const PropertyTable table = {
        declare<elframe, uint32_t>("BackColor", K::Color, 0x44584C, &elframe::back_color, &elframe::apply_back_color),
        declare<elframe, bool>("Enabled", K::Boolean, true, &elframe::enabled_state, &elframe::apply_enabled),
        declare<elframe, uint32_t>("Color3DLight", K::Color, 0x95AAA0, &elframe::light_color,
                                   &elframe::apply_light_color),
        declare<elframe, uint32_t>("Color3DDark", K::Color, 0x80000008, &elframe::dark_color,
                                   &elframe::apply_dark_color),
    };
    return table;
}

void elframe::layout_lines(EdgeLines& lines) {
    // W and H in exact pixels (not rounded): the last column and row follow each ratio separately.
    const double w = width_pixels_exact();
    const double h = height_pixels_exact();
    lines.top.x1 = 0, lines.top.y1 = 0, lines.top.x2 = w, lines.top.y2 = 0;
    lines.left.x1 = 0, lines.left.y1 = 0, lines.left.x2 = 0, lines.left.y2 = h - 1;
    lines.right.x1 = w - 1, lines.right.y1 = 0, lines.right.x2 = w - 1, lines.right.y2 = h - 1;
    lines.bottom.x1 = 0, lines.bottom.y1 = h - 1, lines.bottom.x2 = w, lines.bottom.y2 = h - 1;
}

}  // namespace morvane
