#include "app/labels.h"

#include "controls/core/label_face.h"
#include "controls/core/settings.h"
#include "controls/qt_text.h"
#include "controls/symbol_label.h"
#include "platform/qt/symbol_font.h"
#include "platform/qt/system_colors.h"

#include <QMouseEvent>
#include <QPainter>

namespace morvane::app {

TextLabel::TextLabel(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(false);
}

void TextLabel::read_properties(const controls::Settings& settings) {
    const controls::LabelFace face = controls::label_from_settings(settings);
    setText(QString::fromStdString(face.caption));
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, to_qcolor(face.fore));
    setPalette(palette);
    setFont(controls::qt_font(face.font));
    setAlignment((face.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
}

void TextLabel::mousePressEvent(QMouseEvent* event) { emit mouse_down(event->position()); }
void TextLabel::mouseMoveEvent(QMouseEvent* event) { emit mouse_move(event->position()); }
void TextLabel::mouseReleaseEvent(QMouseEvent* event) { emit mouse_up(event->position()); }

void read_symbol_properties(controls::SymbolLabel& label, const controls::Settings& settings) {
    label.set_color(uint32_t(settings.read("forecolor", 0).as_int()));
    label.set_point_size(settings.read("fontsize", 9.75).as_double());
    label.set_weight(int(settings.read("fontweight", 500).as_int()));
}

}  // namespace morvane::app
