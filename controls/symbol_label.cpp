#include "controls/symbol_label.h"

#include "controls/accessible_controls.h"
#include "controls/focus_cue.h"
#include "platform/qt/system_colors.h"

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

void SymbolLabel::keyPressEvent(QKeyEvent* event) {
    if (!keys_.key_press(*event)) QWidget::keyPressEvent(event);
}

void SymbolLabel::keyReleaseEvent(QKeyEvent* event) {
    if (!keys_.key_release(*event)) QWidget::keyReleaseEvent(event);
}

void SymbolLabel::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);  // repaints without the mark
    keys_.focus_lost();
}

}  // namespace morvane::controls
