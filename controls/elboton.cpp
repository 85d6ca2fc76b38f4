#include "controls/elboton.h"

#include "platform/qt/screen_metrics.h"
#include "platform/qt/system_colors.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>

#include <cmath>

namespace morvane {

namespace {

QLabel* make_caption(QWidget* parent, const QString& text, uint32_t color) {
    auto* label = new QLabel(text, parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);  // the button itself takes every press
    label->setAutoFillBackground(false);
    label->setContentsMargins(0, 0, 0, 0);
    QPalette palette = label->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, to_qcolor(color));  // a disabled button looks the same
    label->setPalette(palette);
    return label;
}

void set_caption_color(QLabel* label, uint32_t color) {
    QPalette palette = label->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, to_qcolor(color));
    label->setPalette(palette);
}

}  // namespace

elboton::elboton(QWidget* parent) : SkinnedControl(parent, EdgeLook::Raised, TwipsSize{1200, 360}) {
    label_ = make_caption(this, QStringLiteral("Boton"), fore_color_);
    shadow1_ = make_caption(this, QStringLiteral("Boton"), 0x000000);
    label_->setFont(host_font());
    shadow1_->setFont(host_font());
    label_->adjustSize();
    shadow1_->adjustSize();
    label_->move(6, 3);
    shadow1_->move(7, 4);
    shadow1_->hide();
    shadow1_->setEnabled(false);
    shadow1_->stackUnder(label_);  // a shadow lies below what casts it
    apply_light(0x95AAA0);
    apply_dark(0x80000008);
    finish_construction();
}

const PropertyTable& elboton::properties() const {
    using K = PropertyKind;
    using B = elboton;
    static const PropertyTable table = [] {
        PropertyTable t = {
            declare<B, uint32_t>("ForeColor", K::Color, 0xFFFFFF, &B::ForeColor, &B::apply_fore_color),
            declare<B, uint32_t>("BackColor", K::Color, 0x44584C, &B::back_color, &B::apply_back_color),
            declare<B, bool>("Enabled", K::Boolean, true, &B::enabled_state, &B::apply_enabled),
            declare<B, QString, const QString&>("Caption", K::Text, QStringLiteral("Boton"), &B::Caption, &B::apply_caption),
            declare<B, uint32_t>("Color3DLight", K::Color, 0x95AAA0, &B::light_color, &B::apply_light),
            declare<B, uint32_t>("Color3DDark", K::Color, 0x80000008, &B::dark_color, &B::apply_dark),
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
    set_caption_color(label_, color);  // the shadow copy stays black
}

void elboton::apply_caption(const QString& text) {
    label_->setText(text);
    shadow1_->setText(text);
    label_->adjustSize();
    shadow1_->adjustSize();
    place_caption();
}

void elboton::apply_light(uint32_t color) {
    color_pair(true, color);
    light_ = color;
}

void elboton::apply_dark(uint32_t color) {
    color_pair(false, color);
    dark_ = color;
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
    const double w = width_pixels_exact();
    lines.top.x1 = 0, lines.top.y1 = 0, lines.top.x2 = w, lines.top.y2 = 0;
    lines.left.x1 = 0, lines.left.y1 = 0, lines.left.x2 = 0, lines.left.y2 = 23;
    lines.right.x1 = w - 1, lines.right.y1 = 0, lines.right.x2 = w - 1, lines.right.y2 = 23;
    lines.bottom.x1 = 1, lines.bottom.y1 = 23, lines.bottom.x2 = w, lines.bottom.y2 = 23;
}

void elboton::show_pressed(bool down, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;  // only the left button pushes the button in
    color_pair(true, down ? dark_ : light_);
    color_pair(false, down ? light_ : dark_);
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

}  // namespace morvane
