#include "controls/symbol_label.h"

#include "platform/qt/system_colors.h"

#include <QMouseEvent>
#include <QPainter>

namespace morvane {

SymbolLabel::SymbolLabel(SymbolGlyph glyph, QWidget* parent) : QWidget(parent), glyph_(glyph) {
    // No background of its own: only the symbol is drawn, over whatever lies beneath.
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
}

void SymbolLabel::mousePressEvent(QMouseEvent* event) {
    armed_ = event->button() == Qt::LeftButton;
}

void SymbolLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = armed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    armed_ = false;
    if (click) emit Click();
}

}  // namespace morvane
