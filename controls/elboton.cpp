#include "controls/elboton.h"

#include "controls/focus_cue.h"
#include "platform/qt/screen_metrics.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include <cmath>

namespace morvane::controls {

namespace {

QLabel* make_caption(QWidget* parent, uint32_t color, const QFont& font) {
    auto* label = new QLabel(QStringLiteral("Boton"), parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);  // the button itself takes every press
    label->setAutoFillBackground(false);
    label->setContentsMargins(0, 0, 0, 0);
    label->setFont(font);
    set_widget_color(*label, QPalette::WindowText, color);
    label->adjustSize();
    return label;
}

}  // namespace

elboton::elboton(QWidget* parent) : SkinnedControl(parent, EdgeLook::Raised, TwipsSize{1200, 360}, SkinColors{}) {
    label_ = make_caption(this, fore_color_, host_font());
    shadow1_ = make_caption(this, 0x000000, host_font());
    label_->move(6, 3);
    shadow1_->move(7, 4);
    shadow1_->hide();
    shadow1_->setEnabled(false);
    shadow1_->stackUnder(label_);  // a shadow lies below what casts it
    setFocusPolicy(Qt::StrongFocus);
    finish_construction();
}

const PropertyTable& elboton::properties() const {
    using K = PropertyKind;
    using B = elboton;
    static const PropertyTable table = [] {
        PropertyTable t = {
            declare<B, uint32_t>("ForeColor", K::Color, 0xFFFFFF, &B::ForeColor, &B::apply_fore_color),
            back_color_property(0x44584C),
            enabled_property(),
            declare<B, QString, const QString&>("Caption", K::Text, QStringLiteral("Boton"), &B::Caption, &B::apply_caption),
            light_color_property(),
            dark_color_property(),
        };
        for (PropertyDecl& font : declare_font<B>(&B::Font, &B::apply_font)) t.push_back(std::move(font));
        t.push_back(declare<B, bool>("DropShadow", K::Boolean, false, &B::DropShadow, &B::apply_drop_shadow));
        t.push_back(
            declare<B, bool>("CenterCaption", K::Boolean, false, &B::CenterCaption, &B::apply_center_caption));
        return t;
    }();
    return table;
}

QFont elboton::Font() const { return label_->font(); }
QString elboton::Caption() const { return label_->text(); }
QRect elboton::caption_geometry() const { return label_->geometry(); }
QRect elboton::shadow_geometry() const { return shadow1_->geometry(); }
bool elboton::shadow_shown() const { return !shadow1_->isHidden(); }

void elboton::apply_fore_color(uint32_t color) {
    fore_color_ = color;
    set_widget_color(*label_, QPalette::WindowText, color);  // the shadow copy stays black
}

void elboton::apply_caption(const QString& text) {
    label_->setText(text);
    shadow1_->setText(text);
    label_->adjustSize();
    shadow1_->adjustSize();
    place_caption();
    if (QAccessible::isActive()) {  // a screen reader says the new caption
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
}

void elboton::apply_font(const QFont& font) {
    label_->setFont(font);
    shadow1_->setFont(font);
    label_->adjustSize();
    shadow1_->adjustSize();
    place_caption();
}

void elboton::apply_drop_shadow(bool on) {
    drop_shadow_ = on;
    shadow1_->setVisible(on);
    shadow1_->setEnabled(on);
}

void elboton::apply_center_caption(bool on) {
    center_caption_ = on;
    place_caption();
}

void elboton::place_caption() {
    double caption_left = 6, shadow_left = 7;
    if (center_caption_) {
        const double middle = size_twips().width / 2 / twips_per_pixel().x;  // pixels
        caption_left = middle - label_->width() / 2.0;
        shadow_left = middle - shadow1_->width() / 2.0 + 1;
    }
    int caption_top = label_->y(), shadow_top = shadow1_->y();
    const int sh = height();
    if (label_->height() < sh) {
        const int text_height = QFontMetrics(label_->font()).height();
        caption_top = int(std::floor(sh / 2.0 - text_height / 2.0));
        shadow_top = caption_top + 1;
    }
    label_->move(int(std::lround(caption_left)), caption_top);
    shadow1_->move(int(std::lround(shadow_left)), shadow_top);
}

void elboton::layout_lines(EdgeLines& lines) {
    place_box_edge(lines, width_pixels_exact(), 24);
    lines.bottom.x1 = 1;
}

void elboton::show_pressed(bool down, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;  // only the left button pushes the button in
    show_edge(down ? EdgeLook::Sunken : EdgeLook::Raised);
}

bool elboton::reports_move_at(QPointF position) const {
    return pressed_on_caption_ || label_->geometry().contains(position.toPoint());
}

void elboton::mousePressEvent(QMouseEvent* event) {
    pressed_on_caption_ = label_->geometry().contains(event->position().toPoint());
    SkinnedControl::mousePressEvent(event);
}

void elboton::mouseReleaseEvent(QMouseEvent* event) {
    SkinnedControl::mouseReleaseEvent(event);
    if (event->buttons() == Qt::NoButton) pressed_on_caption_ = false;
}

void elboton::showEvent(QShowEvent* event) {
    SkinnedControl::showEvent(event);
    place_caption();
}

void elboton::focusInEvent(QFocusEvent* event) {
    SkinnedControl::focusInEvent(event);
    place_caption();
}

void elboton::focusOutEvent(QFocusEvent* event) {
    SkinnedControl::focusOutEvent(event);
    // Space held while the focus leaves: the button comes up without a click, as on Windows.
    if (space_held_) {
        space_held_ = false;
        show_pressed(false, Qt::LeftButton);
    }
}

void elboton::keyPressEvent(QKeyEvent* event) {
    if (!is_space(*event) && !is_enter(*event)) {
        SkinnedControl::keyPressEvent(event);  // not ours: the window may want it
        return;
    }
    event->accept();
    note_keyboard_use(*this);
    if (event->isAutoRepeat()) return;  // a held key presses once
    if (is_enter(*event)) {
        press();
    } else if (!space_held_) {
        space_held_ = true;
        show_pressed(true, Qt::LeftButton);
    }
}

void elboton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || !space_held_) {
        SkinnedControl::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat()) return;
    space_held_ = false;
    show_pressed(false, Qt::LeftButton);
    press();
}

}  // namespace morvane::controls
