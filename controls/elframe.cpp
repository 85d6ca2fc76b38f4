#include "controls/elframe.h"

namespace morvane::controls {

elframe::elframe(QWidget* parent)
    : SkinnedControl(parent, EdgeLook::Sunken, TwipsSize{8040, 6525}, SkinColors{0x37463E, 0x95AAA0, 0x222E28}) {
    finish_construction();
}

const PropertyTable& elframe::properties() const {
    static const PropertyTable table = {back_color_property(0x44584C), enabled_property(), light_color_property(),
                                        dark_color_property()};
    return table;
}

}  // namespace morvane::controls
