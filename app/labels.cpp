#include "app/labels.h"

#include "controls/property_bag.h"
#include "controls/symbol_label.h"
#include "platform/qt/symbol_font.h"
#include "platform/qt/system_colors.h"

#include <QMouseEvent>
#include <QPainter>

namespace morvane::app {

namespace {

QFont font_from(const controls::PropertyBag& s) {
    QFont font = morvane::program_font(s.read("fontname", "Tahoma").toString(), s.read("fontsize", 8.25).toDouble(),
                                       s.read("fontbold", false).toBool());
    return font;
}

}  // namespace

TextLabel::TextLabel(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(false);
}

void TextLabel::read_properties(const controls::PropertyBag& s) {
    setText(s.read("caption").toString());
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, morvane::to_qcolor(s.read("forecolor", 0x000000u).toUInt()));
    setPalette(palette);
    setFont(font_from(s));
    const QString align = s.read("alignment", "left").toString();
    setAlignment((align == "center" ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
}

void TextLabel::mousePressEvent(QMouseEvent* event) { emit mouse_down(event->position()); }
void TextLabel::mouseMoveEvent(QMouseEvent* event) { emit mouse_move(event->position()); }
void TextLabel::mouseReleaseEvent(QMouseEvent* event) { emit mouse_up(event->position()); }

void read_symbol_properties(controls::SymbolLabel& label, const controls::PropertyBag& s) {
    label.set_color(s.read("forecolor", 0x000000u).toUInt());
    label.set_point_size(s.read("fontsize", 9.75).toDouble());
    label.set_weight(s.read("fontweight", 500).toInt());
}

}  // namespace morvane::app
