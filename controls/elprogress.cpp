#include "controls/elprogress.h"

#include "platform/qt/system_colors.h"

#include <QAccessible>

namespace morvane::controls {

elprogress::elprogress(QWidget* parent)
    : FaceControl(parent, TwipsSize{4440, 360}, ProgressFace{}, progress_properties()) {
    finish_construction();
}

void elprogress::paint_face(Image32& surface, const BackgroundBlend* blend) const {
    ProgressFace shown = face_;
    shown.back = resolve_color(shown.back);
    shown.fore = resolve_color(shown.fore);
    shown.light = resolve_color(shown.light);
    shown.dark = resolve_color(shown.dark);
    paint_progress(surface, shown, width_pixels_exact(), height_pixels_exact(), blend);
}

void elprogress::property_set(const std::string& key) {
    if (key == "Value" && QAccessible::isActive()) {  // a screen reader follows the bar
        QAccessibleValueChangeEvent moved(this, face_.value);
        QAccessible::updateAccessibility(&moved);
    }
}

}  // namespace morvane::controls
