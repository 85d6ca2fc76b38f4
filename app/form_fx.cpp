#include "app/form_fx.h"

#include "platform/message_loop.h"

#include <QCursor>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace morvane::app::form_fx {

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

// Twips back to the pixel the window can stand on: whole pixels, rounded down, as the position was made
// from whole pixels times the same ratio.
int pixels_from_twips(double twips) { return int(std::floor(twips / kTwipsPerPixel)); }

}  // namespace

QPoint QtCursor::screen_position() const { return QCursor::pos(); }

RoundRegion round_region_for(int width_pixels, int height_pixels, int corner) {
    return RoundRegion{0, 0, width_pixels, height_pixels, corner, corner};
}

FormFx::FormFx() : yield_(yield_to_message_loop) {}

void FormFx::set_cursor(const CursorSource* cursor) { cursor_ = cursor ? cursor : &qt_cursor_; }

void FormFx::set_yield(std::function<void()> yield) {
    yield_ = yield ? std::move(yield) : std::function<void()>(yield_to_message_loop);
}

void FormFx::shape_window(QWidget& form, int16_t corner) {
    const RoundRegion region = round_region_for(form.width(), form.height(), corner);
    form.setMask(rounded(region));
    if (observer_) observer_->region_set(form, region);
}

void FormFx::set_opacity(QWidget& form, int16_t opacity) {
    form.setWindowOpacity(opacity / 255.0);
    if (observer_) observer_->opacity_set(form, opacity);
}

void FormFx::fade_in(QWidget& form, int16_t first, int16_t last, int32_t step) {
    if (first > last || step <= 0) return;
    for (int32_t i = first; i <= last; i += step) {
        yield_();
        if (form.testAttribute(Qt::WA_WState_ExplicitShowHide) && form.isHidden()) return;
        set_opacity(form, int16_t(i));
    }
}

void FormFx::drag_start(bool start, float x_twips, float y_twips) {
    dragging = start;
    drag_x = x_twips;
    drag_y = y_twips;
}

void FormFx::drag_move() {
    if (!dragging || main_window_ == nullptr) return;
    const QPoint cursor = cursor_->screen_position();
    const double top = double(cursor.y()) * kTwipsPerPixel - drag_y;
    const double left = double(cursor.x()) * kTwipsPerPixel - drag_x;
    const QPoint pixels(pixels_from_twips(left), pixels_from_twips(top));
    main_window_->move(pixels);
    if (observer_) observer_->window_moved(*main_window_, left, top, pixels);
}

void FormFx::drag_stop() { dragging = false; }

}  // namespace morvane::app::form_fx
