#include "app/qt/qt_shell.h"

#include <QCursor>
#include <QRegion>
#include <QWidget>

#include <algorithm>

namespace morvane::app {

namespace {

QRegion rounded(const RoundRegion& outline) {
    const int left = outline.left, top = outline.top, right = outline.right, bottom = outline.bottom;
    const int width = right - left;
    const int height = bottom - top;
    const int corner_width = std::min(outline.corner_width, width);
    const int corner_height = std::min(outline.corner_height, height);
    if (corner_width <= 0 || corner_height <= 0) return QRegion(left, top, width, height);
    // A cross of two rectangles and the four corner ellipses fills the same area as the platform's
    // round-rect region.
    QRegion region(left + corner_width / 2, top, width - 2 * (corner_width / 2), height);
    region += QRegion(left, top + corner_height / 2, width, height - 2 * (corner_height / 2));
    region += QRegion(left, top, corner_width, corner_height, QRegion::Ellipse);
    region += QRegion(right - corner_width, top, corner_width, corner_height, QRegion::Ellipse);
    region += QRegion(left, bottom - corner_height, corner_width, corner_height, QRegion::Ellipse);
    region += QRegion(right - corner_width, bottom - corner_height, corner_width, corner_height, QRegion::Ellipse);
    return region;
}

}  // namespace

int QtShell::width_pixels() const { return window_.width(); }
int QtShell::height_pixels() const { return window_.height(); }
void QtShell::set_region(const RoundRegion& region) { window_.setMask(rounded(region)); }
void QtShell::set_opacity(int16_t opacity) { window_.setWindowOpacity(opacity / 255.0); }
void QtShell::move_to(ScreenPoint top_left) { window_.move(top_left.x, top_left.y); }
bool QtShell::gone() const { return window_.testAttribute(Qt::WA_WState_ExplicitShowHide) && window_.isHidden(); }

ScreenPoint QtCursor::screen_position() const {
    const QPoint p = QCursor::pos();
    return ScreenPoint{p.x(), p.y()};
}

}  // namespace morvane::app
