#include "app/qt/progress_window.h"

#include "controls/qt/pixel_controls.h"
#include "platform/system/message_box.h"

#include <QCloseEvent>

namespace morvane::app {

ProgressWindow::ProgressWindow(const QWidget& owner, WindowEffects& fx, TwipsPerPixel ratios,
                               const controls::FontSpec& font, controls::TextService& text)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), controls_(process_form_definition(), ratios, font),
      text_(text) {
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_ShowWithoutActivating);  // the main window stays the active one, with its focus
    const FormDefinition& layout = controls_.layout();
    setFixedSize(layout.client_width, layout.client_height);
    const PixelRect place = controls_.window_place(controls_.at(process_rows::elprogress1));
    bar_ = new controls::PixelBar(*this, pixels_);
    bar_->setGeometry(place.x, place.y, place.width, place.height);
    fx.shape_window(shell_, kWindowCorner);
    fx.set_opacity(shell_, kProgressOpacity);
    const QRect over = owner.geometry();
    const ScreenPoint at = centred_on(over.x(), over.y(), over.width(), over.height(), width(), height());
    move(at.x, at.y);
    bar_changed();
    show();
}

void ProgressWindow::bar_changed() {
    const controls::elprogress& bar = controls_.at(process_rows::elprogress1).progress;
    bar_->show_value(bar, progress_percent(bar));
    paint_window(pixels_, controls_, text_);
    update();
    bar_->update();
}

void ProgressWindow::paintEvent(QPaintEvent*) { controls::show_window_pixels(*this, pixels_); }

void ProgressWindow::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace morvane::app
