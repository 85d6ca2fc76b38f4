#include "app/labels.h"

#include "controls/property_bag.h"
#include "controls/symbol_label.h"
#include "platform/qt/symbol_font.h"
#include "platform/qt/system_colors.h"

#include <QMouseEvent>
#include <QPainter>

namespace morvane::app {

namespace {

QFont font_from(const controls::PropertyBag& settings) {
    return program_font(settings.read("fontname", "Tahoma").toString(),
                                 settings.read("fontsize", 8.25).toDouble(), settings.read("fontbold", false).toBool());
}

}  // namespace

TextLabel::TextLabel(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(false);
}

void TextLabel::read_properties(const controls::PropertyBag& settings) {
    setText(settings.read("caption").toString());
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, to_qcolor(settings.read("forecolor", 0x000000u).toUInt()));
    setPalette(palette);
    setFont(font_from(settings));
    const QString align = settings.read("alignment", "left").toString();
    setAlignment((align == "center" ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
}

void TextLabel::mousePressEvent(QMouseEvent* event) { emit mouse_down(event->position()); }
void TextLabel::mouseMoveEvent(QMouseEvent* event) { emit mouse_move(event->position()); }
void TextLabel::mouseReleaseEvent(QMouseEvent* event) { emit mouse_up(event->position()); }

void read_symbol_properties(controls::SymbolLabel& label, const controls::PropertyBag& settings) {
    label.set_color(settings.read("forecolor", 0x000000u).toUInt());
    label.set_point_size(settings.read("fontsize", 9.75).toDouble());
    label.set_weight(settings.read("fontweight", 500).toInt());
}

}  // namespace morvane::app
