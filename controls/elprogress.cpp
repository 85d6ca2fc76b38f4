#include "controls/elprogress.h"

#include <QAccessible>

#include <algorithm>

namespace morvane::controls {

namespace {

constexpr int kBlockPitch = 12;  // pixels from one block's left to the next
constexpr int kBlockLeft = 4, kBlockTop = 4, kBlockWidth = 8, kBlockRows = 16;  // pixels

}  // namespace

elprogress::elprogress(QWidget* parent)
    : SkinnedControl(parent, EdgeLook::Sunken, TwipsSize{4440, 360}, SkinColors{.back = 0x37463E}) {
    finish_construction();
}

const PropertyTable& elprogress::properties() const {
    using K = PropertyKind;
    using P = elprogress;
    // Stored range values are taken as they are (no clamps, no redraw): the resize that follows draws.
    auto loaded_as_is = [](PropertyDecl decl, int32_t P::*field) {
        decl.load = [field](SkinnedControl& c, const QVariant& v) { static_cast<P&>(c).*field = v.value<int32_t>(); };
        return decl;
    };
    static const PropertyTable table = {
        declare<P, uint32_t>("ForeColor", K::Color, 0x50B5C4, &P::ForeColor, &P::set_ForeColor),
        back_color_property(0x37463E),
        enabled_property(),
        loaded_as_is(declare<P, int32_t>("Min", K::Int32, 0, &P::Min, &P::set_Min), &P::min_),
        loaded_as_is(declare<P, int32_t>("Max", K::Int32, 10, &P::Max, &P::set_Max), &P::max_),
        loaded_as_is(declare<P, int32_t>("Value", K::Int32, 0, &P::Value, &P::set_Value), &P::value_),
        light_color_property(),
        dark_color_property(),
    };
    return table;
}

void elprogress::obtener_imagen_fondo(SurfaceHandle source, int32_t X, int32_t Y, int16_t opacity) {
    blend_ = RememberedBlend{source, X, Y, checked_opacity(opacity)};
    draw_bar();  // the blend, with the blocks above it
}

void elprogress::set_ForeColor(uint32_t color) {
    fore_color_ = color;
    draw_bar();
    changed(&elprogress::set_ForeColor);
}

void elprogress::set_Min(int32_t) {
    min_ = 0;  // the bar always starts at 0, whatever is asked
    if (value_ < min_) value_ = min_;
    draw_bar();
    changed(&elprogress::set_Min);
}

void elprogress::set_Max(int32_t v) {
    max_ = std::max(v, min_);
    if (value_ > max_) value_ = max_;
    draw_bar();
    changed(&elprogress::set_Max);
}

void elprogress::set_Value(int32_t v) {
    value_ = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    draw_bar();
    if (QAccessible::isActive()) {  // a screen reader follows the bar
        QAccessibleValueChangeEvent moved(this, value_);
        QAccessible::updateAccessibility(&moved);
    }
    changed(&elprogress::set_Value);
}

int elprogress::filled_blocks() const {
    const int64_t n = width() / kBlockPitch;
    if (max_ <= 0 || n <= 0) return 0;  // an empty range shows nothing rather than dividing by zero
    const int64_t filled = int64_t(value_) * n / int64_t(max_);  // 64 bits: Value * N may not fit in 32
    return int(std::clamp<int64_t>(filled, 0, n));             // stored settings may hold any range
}

void elprogress::draw_bar() {
    blend_background(blend_.source, blend_.x, blend_.y, blend_.opacity);
    const int filled = filled_blocks();
    for (int i = 0; i < filled; ++i)
        fill_rect(surface_image(), PixelRect{kBlockLeft + kBlockPitch * i, kBlockTop, kBlockWidth, kBlockRows},
                  fore_color_);
    update();
}

}  // namespace morvane::controls
