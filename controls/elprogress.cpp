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
    auto raw = [](void (P::*load)(int32_t)) {
        return [load](SkinnedControl& c, const QVariant& v) { (static_cast<P&>(c).*load)(v.value<int32_t>()); };
    };
    auto with_load = [](PropertyDecl decl, std::function<void(SkinnedControl&, const QVariant&)> load) {
        decl.load = std::move(load);
        return decl;
    };
    static const PropertyTable table = {
        declare<P, uint32_t>("ForeColor", K::Color, 0x50B5C4, &P::ForeColor, &P::apply_fore_color),
        back_color_property(0x37463E),
        enabled_property(),
        with_load(declare<P, int32_t>("Min", K::Int32, 0, &P::Min, &P::apply_min), raw(&P::load_min)),
        with_load(declare<P, int32_t>("Max", K::Int32, 10, &P::Max, &P::apply_max), raw(&P::load_max)),
        with_load(declare<P, int32_t>("Value", K::Int32, 0, &P::Value, &P::apply_value), raw(&P::load_value)),
        light_color_property(),
        dark_color_property(),
    };
    return table;
}

void elprogress::obtener_imagen_fondo(SurfaceHandle origen, int32_t X, int32_t Y, int16_t cantidad) {
    blend_ = RememberedBlend{origen, X, Y, checked_opacity(cantidad)};
    draw_bar();  // the blend, with the blocks above it
}

void elprogress::apply_fore_color(uint32_t color) {
    fore_color_ = color;
    draw_bar();
}

void elprogress::apply_min(int32_t v) {
    min_ = 0;  // the bar always starts at 0, whatever is asked
    (void)v;
    if (value_ < min_) value_ = min_;
    draw_bar();
}

void elprogress::apply_max(int32_t v) {
    max_ = std::max(v, min_);
    if (value_ > max_) value_ = max_;
    draw_bar();
}

void elprogress::apply_value(int32_t v) {
    value_ = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    draw_bar();
    if (QAccessible::isActive()) {  // a screen reader follows the bar
        QAccessibleValueChangeEvent moved(this, value_);
        QAccessible::updateAccessibility(&moved);
    }
}

int elprogress::filled_blocks() const {
    const int64_t n = width() / kBlockPitch;
    if (max_ <= 0 || n <= 0) return 0;  // an empty range shows nothing rather than dividing by zero
    const int64_t filled = int64_t(value_) * n / int64_t(max_);  // 64 bits: Value * N may not fit in 32
    return int(std::clamp<int64_t>(filled, 0, n));             // stored settings may hold any range
}

void elprogress::draw_bar() {
    blend_background(blend_.origen, blend_.x, blend_.y, blend_.cantidad);
    const int filled = filled_blocks();
    for (int i = 0; i < filled; ++i)
        fill_rect(surface_image(), PixelRect{kBlockLeft + kBlockPitch * i, kBlockTop, kBlockWidth, kBlockRows},
                  fore_color_);
    update();
}

}  // namespace morvane::controls
