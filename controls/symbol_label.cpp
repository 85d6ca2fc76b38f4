#include "controls/symbol_label.h"

#include "controls/accessible_controls.h"
#include "controls/focus_cue.h"
#include "platform/qt/system_colors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace morvane::controls {

SymbolLabel::SymbolLabel(SymbolGlyph glyph, QWidget* parent) : QWidget(parent), glyph_(glyph) {
    // No background of its own: only the symbol is drawn, over whatever lies beneath.
    install_accessible_controls();
}

void SymbolLabel::set_color(uint32_t color) {
    color_ = color;
    update();
}

void SymbolLabel::set_point_size(double points) {
    point_size_ = points;
    update();
}

void SymbolLabel::set_weight(int weight) {
    weight_ = weight;
    update();
}

void SymbolLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_symbol(painter, rect(), glyph_, to_qcolor(color_), point_size_, weight_);
    if (shows_focus_cue(*this)) paint_focus_mark(painter, rect(), color_);
}

void SymbolLabel::mousePressEvent(QMouseEvent* event) {
    armed_ = event->button() == Qt::LeftButton;
}

void SymbolLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = armed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    armed_ = false;
    if (click) emit Click();
}

}  // namespace morvane::controls

namespace morvane::controls {

void SymbolLabel::keyPressEvent(QKeyEvent* event) {
    if (!is_space(*event) && !is_enter(*event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    note_keyboard_use(*this);
    if (event->isAutoRepeat()) return;
    if (is_enter(*event))
        emit Click();
    else
        space_held_ = true;
}

void SymbolLabel::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || !space_held_) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat()) return;
    space_held_ = false;
    emit Click();
}

void SymbolLabel::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);  // repaints without the mark
    space_held_ = false;
}

}  // namespace morvane::controls
