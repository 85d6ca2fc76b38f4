#include "controls/elprogress.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace morvane {

namespace {

constexpr int kBlockPitch = 12;  // pixels from one block's left to the next
constexpr int kBlockLeft = 4, kBlockTop = 4, kBlockWidth = 8, kBlockRows = 16;  // pixels

}  // namespace

elprogress::elprogress(QWidget* parent) : SkinnedControl(parent, EdgeLook::Sunken, TwipsSize{4440, 360}) {
    apply_back_color(0x37463E);
    apply_light_color(0x95AAA0);
    apply_dark_color(0x80000008);
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
        declare<P, uint32_t>("BackColor", K::Color, 0x37463E, &P::back_color, &P::apply_back_color_and_redraw),
        declare<P, bool>("Enabled", K::Boolean, true, &P::enabled_state, &P::apply_enabled),
        with_load(declare<P, int32_t>("Min", K::Int32, 0, &P::Min, &P::apply_min), raw(&P::load_min)),
        with_load(declare<P, int32_t>("Max", K::Int32, 10, &P::Max, &P::apply_max), raw(&P::load_max)),
        with_load(declare<P, int32_t>("Value", K::Int32, 0, &P::Value, &P::apply_value), raw(&P::load_value)),
        declare<P, uint32_t>("Color3DLight", K::Color, 0x95AAA0, &P::light_color, &P::apply_light_color),
        declare<P, uint32_t>("Color3DDark", K::Color, 0x80000008, &P::dark_color, &P::apply_dark_color),
    };
    return table;
}

void elprogress::obtener_imagen_fondo(SurfaceHandle origen, int32_t X, int32_t Y, int16_t cantidad) {
    if (cantidad < 0 || cantidad > 255)
        throw std::out_of_range("obtener_imagen_fondo: opacity " + std::to_string(cantidad) +
                                " is outside 0..255; the progress bar was left as it was");
    blend_ = RememberedBlend{origen, X, Y, uint8_t(cantidad)};
    draw_bar();  // the blend, with the blocks above it
}

void elprogress::apply_fore_color(uint32_t color) {
    fore_color_ = color;
    draw_bar();
}

void elprogress::apply_back_color_and_redraw(uint32_t color) {
    apply_back_color(color);
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
    for (int i = 0; i < filled; ++i) draw_block(kBlockLeft + kBlockPitch * i, kBlockTop, kBlockWidth, kBlockRows);
    update();
}

void elprogress::draw_block(int32_t x, int32_t top, int32_t width, int32_t rows) {
    // Lines from (x, top + k) to (x + width, top + k), end point excluded: width pixels each.
    fill_rect(surface_image(), PixelRect{x, top, width, rows}, fore_color_);
}

void elprogress::layout_lines(EdgeLines& lines) {
    const double sw = width(), sh = height();
    lines.top.x1 = 0, lines.top.y1 = 0, lines.top.x2 = sw, lines.top.y2 = 0;
    lines.left.x1 = 0, lines.left.y1 = 0, lines.left.x2 = 0, lines.left.y2 = sh - 1;
    lines.right.x1 = sw - 1, lines.right.y1 = 0, lines.right.x2 = sw - 1, lines.right.y2 = sh - 1;
    lines.bottom.x1 = 0, lines.bottom.y1 = sh - 1, lines.bottom.x2 = sw, lines.bottom.y2 = sh - 1;
}

}  // namespace morvane
