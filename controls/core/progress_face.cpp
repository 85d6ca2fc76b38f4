#include "controls/core/progress_face.h"

#include "controls/core/skin.h"

#include <algorithm>

namespace morvane::controls {

namespace {

constexpr int kBlockPitch = 12;  // pixels from one block's left to the next
constexpr int kBlockLeft = 4, kBlockTop = 4, kBlockWidth = 8, kBlockRows = 16;  // pixels

}  // namespace

void ProgressFace::set_min(int32_t) {
    min = 0;  // the bar always starts at 0, whatever is asked
    if (value < min) value = min;
}

void ProgressFace::set_max(int32_t v) {
    max = std::max(v, min);
    if (value > max) value = max;
}

void ProgressFace::set_value(int32_t v) { value = std::clamp(v, std::min(min, max), std::max(min, max)); }

const PropertyList<ProgressFace>& progress_properties() {
    using P = ProgressFace;
    // Setting the range clamps; stored ranges are taken as they are.
    auto clamped = [](FaceProperty<P> p, void (P::*setter)(int32_t)) {
        p.load = p.set;
        p.set = [setter](P& f, const SettingValue& v) { (f.*setter)(int32_value(v)); };
        return p;
    };
    static const PropertyList<P> list = {
        color("ForeColor", &P::fore),
        color("BackColor", &P::back),
        boolean("Enabled", &P::enabled),
        clamped(whole("Min", &P::min), &P::set_min),
        clamped(whole("Max", &P::max), &P::set_max),
        clamped(whole("Value", &P::value), &P::set_value),
        color("Color3DLight", &P::light),
        color("Color3DDark", &P::dark),
    };
    return list;
}

int filled_blocks(const ProgressFace& face, int width_pixels) {
    const int64_t n = width_pixels / kBlockPitch;
    if (face.max <= 0 || n <= 0) return 0;  // an empty range shows nothing rather than dividing by zero
    const int64_t filled = int64_t(face.value) * n / int64_t(face.max);  // 64 bits: Value * N may not fit in 32
    return int(std::clamp<int64_t>(filled, 0, n));                      // stored settings may hold any range
}

void paint_progress(Image32& surface, const ProgressFace& face, double width_pixels, double height_pixels,
                    const BackgroundBlend* blend) {
    paint_background(surface, face.back, blend);
    const int filled = filled_blocks(face, surface.width);
    for (int i = 0; i < filled; ++i)
        paint_rect(surface, PixelRect{kBlockLeft + kBlockPitch * i, kBlockTop, kBlockWidth, kBlockRows}, face.fore);
    EdgeLines lines;
    place_box_edge(lines, width_pixels, height_pixels);
    color_edge(lines, EdgeLook::Sunken, face.light, face.dark);
    paint_edge_lines(surface, lines);
}

}  // namespace morvane::controls
