#include "controls/elboton.h"

#include "platform/qt/screen_metrics.h"

#include <QAccessible>
#include <QFontMetrics>
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
    caption_ = make_caption(this, fore_color_, host_font());
    shadow_ = make_caption(this, 0x000000, host_font());
    caption_->move(6, 3);
    shadow_->move(7, 4);
    shadow_->hide();
    shadow_->setEnabled(false);
    shadow_->stackUnder(caption_);  // a shadow lies below what casts it
    setFocusPolicy(Qt::StrongFocus);
    finish_construction();
}

const PropertyTable& elboton::properties() const {
    using K = PropertyKind;
    using B = elboton;
    static const PropertyTable table = [] {
        PropertyTable t = {
            declare<B, uint32_t>("ForeColor", K::Color, 0xFFFFFF, &B::ForeColor, &B::set_ForeColor),
            back_color_property(0x44584C),
            enabled_property(),
            declare<B, QString, const QString&>("Caption", K::Text, QStringLiteral("Boton"), &B::Caption, &B::set_Caption),
            light_color_property(),
            dark_color_property(),
        };
        for (PropertyDecl& font : declare_font<B>(&B::Font, &B::set_Font)) t.push_back(std::move(font));
        t.push_back(declare<B, bool>("DropShadow", K::Boolean, false, &B::DropShadow, &B::set_DropShadow));
        t.push_back(
            declare<B, bool>("CenterCaption", K::Boolean, false, &B::CenterCaption, &B::set_CenterCaption));
        return t;
    }();
    return table;
}

QFont elboton::Font() const { return caption_->font(); }
QString elboton::Caption() const { return caption_->text(); }
QRect elboton::caption_geometry() const { return caption_->geometry(); }
QRect elboton::shadow_geometry() const { return shadow_->geometry(); }
bool elboton::shadow_shown() const { return !shadow_->isHidden(); }

void elboton::set_ForeColor(uint32_t color) {
    fore_color_ = color;
    set_widget_color(*caption_, QPalette::WindowText, color);
    changed(&elboton::set_ForeColor);
}

void elboton::set_Caption(const QString& text) {
    for (QLabel* label : {caption_, shadow_}) {
        label->setText(text);
        label->adjustSize();
    }
    place_caption();
    if (QAccessible::isActive()) {  // a screen reader says the new caption
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
    changed(&elboton::set_Caption);
}

void elboton::set_Font(const QFont& font) {
    for (QLabel* label : {caption_, shadow_}) {
        label->setFont(font);
        label->adjustSize();
    }
    place_caption();
    changed(&elboton::set_Font);
}

void elboton::set_DropShadow(bool on) {
    drop_shadow_ = on;
    shadow_->setVisible(on);
    shadow_->setEnabled(on);
    changed(&elboton::set_DropShadow);
}

void elboton::set_CenterCaption(bool on) {
    center_caption_ = on;
    place_caption();
    changed(&elboton::set_CenterCaption);
}

void elboton::place_caption() {
    double caption_left = 6, shadow_left = 7;
    if (center_caption_) {
        const double middle = size_twips().width / 2 / twips_per_pixel().x;  // pixels
        caption_left = middle - caption_->width() / 2.0;
        shadow_left = middle - shadow_->width() / 2.0 + 1;
    }
    int caption_top = caption_->y(), shadow_top = shadow_->y();
    const int sh = height();
    if (caption_->height() < sh) {
        const int text_height = QFontMetrics(caption_->font()).height();
        caption_top = int(std::floor(sh / 2.0 - text_height / 2.0));
        shadow_top = caption_top + 1;
    }
    caption_->move(int(std::lround(caption_left)), caption_top);
    shadow_->move(int(std::lround(shadow_left)), shadow_top);
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
    return pressed_on_caption_ || caption_->geometry().contains(position.toPoint());
}

void elboton::mousePressEvent(QMouseEvent* event) {
    pressed_on_caption_ = caption_->geometry().contains(event->position().toPoint());
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
    keys_.focus_lost();
}

void elboton::keyPressEvent(QKeyEvent* event) {
    if (!keys_.key_press(*event)) SkinnedControl::keyPressEvent(event);  // not ours: the window may want it
}

void elboton::keyReleaseEvent(QKeyEvent* event) {
    if (!keys_.key_release(*event)) SkinnedControl::keyReleaseEvent(event);
}

}  // namespace morvane::controls
