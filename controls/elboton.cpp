#include "controls/elboton.h"

#include "controls/qt_text.h"
#include "platform/qt/system_colors.h"

#include <QAccessible>
#include <QMouseEvent>

namespace morvane::controls {

elboton::elboton(QWidget* parent) : FaceControl(parent, TwipsSize{1200, 360}, ButtonFace{}, button_properties()) {
    face_.font = host_font();
    setFocusPolicy(Qt::StrongFocus);
    finish_construction();
}

QFont elboton::Font() const { return qt_font(face_.font); }

void elboton::set_Font(const QFont& font) { set_font_keys(font); }

void elboton::property_set(const std::string& key) {
    if (key == "Caption" && QAccessible::isActive()) {  // a screen reader says the new caption
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
}

CaptionPlace elboton::caption_place() const {
    return place_caption(face_, size_twips().width, ratios(), height(), qt_text());
}

QRect elboton::caption_geometry() const {
    const CaptionPlace p = caption_place();
    return QRect(p.x, p.y, p.extent.width, p.extent.height);
}

QRect elboton::shadow_geometry() const {
    const CaptionPlace p = caption_place();
    return QRect(p.shadow_x, p.shadow_y, p.extent.width, p.extent.height);
}

void elboton::paint_face(Image32& surface, const BackgroundBlend* blend) const {
    ButtonFace shown = face_;
    shown.back = resolve_color(shown.back);
    shown.light = resolve_color(shown.light);
    shown.dark = resolve_color(shown.dark);
    paint_button(surface, shown, ButtonState{held(), focus_mark_shown()}, size_twips().width, ratios(), qt_text(), blend);
}

void elboton::show_pressed(bool down, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;  // only the left button pushes the button in
    mouse_held_ = down;
    repaint_face();
}

bool elboton::reports_move_at(QPointF position) const {
    return pressed_on_caption_ || caption_geometry().contains(position.toPoint());
}

void elboton::mousePressEvent(QMouseEvent* event) {
    pressed_on_caption_ = caption_geometry().contains(event->position().toPoint());
    SkinnedControl::mousePressEvent(event);
}

void elboton::mouseReleaseEvent(QMouseEvent* event) {
    SkinnedControl::mouseReleaseEvent(event);
    if (event->buttons() == Qt::NoButton) pressed_on_caption_ = false;
}

void elboton::focusOutEvent(QFocusEvent* event) {
    SkinnedControl::focusOutEvent(event);
    keys_.focus_lost();
}

void elboton::keyPressEvent(QKeyEvent* event) {
    if (!keys_.key_press(*event)) SkinnedControl::keyPressEvent(event);  // not ours: the window may want it
}

void elboton::keyReleaseEvent(QKeyEvent* event) {
    if (!keys_.key_release(*event)) SkinnedControl::keyReleaseEvent(event);
}

}  // namespace morvane::controls
