#include "app/form_fx.h"

#include "platform/system/message_loop.h"

#include <QCursor>
#include <QObject>
#include <QRegion>
#include <QWidget>

#include <algorithm>

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

}  // namespace

class FormFx::Shell : public WindowShell {
public:
    Shell(QWidget& window, Observer*& observer) : window_(window), observer_(observer) {}
    int width_pixels() const override { return window_.width(); }
    int height_pixels() const override { return window_.height(); }
    void set_region(const RoundRegion& region) override {
        window_.setMask(rounded(region));
        if (observer_) observer_->region_set(window_, region);
    }
    void set_opacity(int16_t opacity) override {
        window_.setWindowOpacity(opacity / 255.0);
        if (observer_) observer_->opacity_set(window_, opacity);
    }
    void move_to(ScreenPoint top_left) override {
        window_.move(top_left.x, top_left.y);
        if (observer_) observer_->window_moved(window_, QPoint(top_left.x, top_left.y));
    }
    bool gone() const override { return window_.testAttribute(Qt::WA_WState_ExplicitShowHide) && window_.isHidden(); }

private:
    QWidget& window_;
    Observer*& observer_;
};

QPoint QtCursor::screen_position() const { return QCursor::pos(); }

ScreenPoint FormFx::Cursor::screen_position() const {
    const QPoint p = fx_.cursor_->screen_position();
    return ScreenPoint{p.x(), p.y()};
}

FormFx::FormFx() : effects_(cursor_adapter_, yield_to_message_loop) {}

FormFx::~FormFx() = default;

void FormFx::set_cursor(const CursorSource* cursor) { cursor_ = cursor ? cursor : &qt_cursor_; }

void FormFx::set_yield(std::function<void()> yield) {
    effects_.set_yield(yield ? std::move(yield) : std::function<void()>(yield_to_message_loop));
}

void FormFx::set_main_window(QWidget* window) { effects_.set_main_window(window ? &shell(*window) : nullptr); }

WindowShell& FormFx::shell(QWidget& window) {
    auto& slot = shells_[&window];
    if (!slot) {
        slot = std::make_unique<Shell>(window, observer_);
        // A window made again at the same address (the progress window of the next build) gets a shell anew.
        QObject::connect(&window, &QObject::destroyed, &guard_, [this, key = &window] { shells_.erase(key); });
    }
    return *slot;
}

}  // namespace morvane::app::form_fx
