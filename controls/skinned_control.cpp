#include "controls/skinned_control.h"

#include "controls/accessible_controls.h"
#include "controls/focus_cue.h"
#include "platform/qt/screen_metrics.h"
#include "platform/qt/symbol_font.h"

#include <QApplication>
#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>

namespace morvane::controls {

namespace {

// The edge lines (and the keyboard focus mark) as a child element of their own, kept above every other child,
// so that captions, the list control and whatever a frame holds never cover them.
class EdgeOverlay final : public QWidget {
public:
    EdgeOverlay(QWidget* parent, std::function<void(QPainter&)> paint) : QWidget(parent), paint_(std::move(paint)) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paint_(painter);
    }

private:
    std::function<void(QPainter&)> paint_;
};

}  // namespace

SkinnedControl::SkinnedControl(QWidget* parent, EdgeLook look, TwipsSize initial, SkinColors colors)
    : QWidget(parent), back_color_(colors.back), light_(colors.light), dark_(colors.dark), look_(look),
      outer_(initial) {
    install_font_fallbacks();
    install_accessible_controls();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // MouseMove also while no button is held
    overlay_ = new EdgeOverlay(this, [this](QPainter& painter) {
        paint_edge_lines(painter, lines_, size());
        if (shows_focus_cue(*this)) paint_focus_mark(painter, focus_mark_rect(), light_);
    });
    show_edge(look_);
}

SkinnedControl::~SkinnedControl() = default;

void SkinnedControl::finish_construction() { set_size_twips(outer_.width, outer_.height); }

// --- helpers ---------------------------------------------------------------------------------------------

SurfaceHandle SkinnedControl::get_the_hdc() const { return surface_.handle(); }

uint8_t SkinnedControl::checked_opacity(int16_t opacity) {
    if (opacity < 0 || opacity > 255)
        throw std::out_of_range("obtener_imagen_fondo: opacity " + std::to_string(opacity) +
                                " is outside 0..255; the control's background was left as it was");
    return uint8_t(opacity);
}

void SkinnedControl::obtener_imagen_fondo(SurfaceHandle source, int32_t X, int32_t Y, int16_t opacity) {
    blend_background(source, X, Y, checked_opacity(opacity));
}

void SkinnedControl::blend_background(SurfaceHandle source, int32_t x, int32_t y, uint8_t opacity) {
    clear_surface();
    alpha_blend(surface_image(), blend_rect(), source, x, y, opacity);  // a refused blend leaves the fill
    update();
}

void SkinnedControl::layout_lines(EdgeLines& lines) {
    // Exact pixels, not rounded: the last column and row follow each ratio separately.
    place_box_edge(lines, width_pixels_exact(), height_pixels_exact());
}

PixelRect SkinnedControl::blend_rect() const { return PixelRect{1, 1, width() - 2, height() - 2}; }

void SkinnedControl::clear_surface() {
    fill_surface(surface_image(), back_color_);
    update();
}

// --- geometry --------------------------------------------------------------------------------------------

void SkinnedControl::set_size_twips(double width, double height) {
    const SizeRule rule = size_rule();
    if (rule.forced_height_twips) height = *rule.forced_height_twips;
    width = std::max(width, rule.min_width_twips);
    outer_ = TwipsSize{std::max(width, 0.0), std::max(height, 0.0)};
    const QSize pixels(int(std::lround(width_pixels_exact())), int(std::lround(height_pixels_exact())));
    applying_size_ = true;
    resize(pixels);
    applying_size_ = false;
    relayout();
}

void SkinnedControl::set_geometry_twips(double left, double top, double width, double height) {
    const TwipsPerPixel r = twips_per_pixel();
    move(int(std::lround(left / r.x)), int(std::lround(top / r.y)));
    set_size_twips(width, height);
}

void SkinnedControl::set_geometry_pixels(int left, int top, int width, int height) {
    const TwipsPerPixel r = twips_per_pixel();
    move(left, top);
    set_size_twips(width * r.x, height * r.y);
}

double SkinnedControl::width_pixels_exact() const { return outer_.width / twips_per_pixel().x; }
double SkinnedControl::height_pixels_exact() const { return outer_.height / twips_per_pixel().y; }

void SkinnedControl::resizeEvent(QResizeEvent*) {
    const QSize expected(int(std::lround(width_pixels_exact())), int(std::lround(height_pixels_exact())));
    if (!applying_size_ && size() != expected) {
        // Resized from outside, in pixels: take it as the new outer size and apply the rule (a nested resize).
        const TwipsPerPixel r = twips_per_pixel();
        set_size_twips(width() * r.x, height() * r.y);
        return;
    }
    relayout();
}

void SkinnedControl::relayout() {
    Image32& image = surface_image();
    if (image.width != width() || image.height != height()) {
        image.reset(width(), height());
        fill_surface(image, back_color_);
    }
    layout_lines(lines_);
    overlay_->setGeometry(rect());
    overlay_->raise();
    layout_content();
    update();
    overlay_->update();
}

void SkinnedControl::childEvent(QChildEvent* event) {
    QWidget::childEvent(event);
    // Whatever is added later (a frame's contents) goes below the edge lines.
    if (overlay_ != nullptr && event->child() != overlay_ &&
        (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished))
        overlay_->raise();
}

// --- common properties -----------------------------------------------------------------------------------

PropertyDecl SkinnedControl::back_color_property(uint32_t default_color) {
    return declare<SkinnedControl, uint32_t>("BackColor", PropertyKind::Color, default_color,
                                             &SkinnedControl::BackColor, &SkinnedControl::set_BackColor);
}

PropertyDecl SkinnedControl::enabled_property() {
    return declare<SkinnedControl, bool>("Enabled", PropertyKind::Boolean, true, &SkinnedControl::Enabled,
                                         &SkinnedControl::set_Enabled);
}

PropertyDecl SkinnedControl::light_color_property() {
    return declare<SkinnedControl, uint32_t>("Color3DLight", PropertyKind::Color, SkinColors{}.light,
                                             &SkinnedControl::Color3DLight, &SkinnedControl::set_Color3DLight);
}

PropertyDecl SkinnedControl::dark_color_property() {
    return declare<SkinnedControl, uint32_t>("Color3DDark", PropertyKind::Color, SkinColors{}.dark,
                                             &SkinnedControl::Color3DDark, &SkinnedControl::set_Color3DDark);
}

void SkinnedControl::set_BackColor(uint32_t color) {
    back_color_ = color;
    redraw();
    changed(&SkinnedControl::set_BackColor);
}

void SkinnedControl::set_Enabled(bool on) {
    setEnabled(on);
    changed(&SkinnedControl::set_Enabled);
}

uint32_t SkinnedControl::Color3DLight() const {
    return look_ == EdgeLook::Raised ? lines_.top.color : lines_.right.color;
}

uint32_t SkinnedControl::Color3DDark() const {
    return look_ == EdgeLook::Raised ? lines_.right.color : lines_.top.color;
}

void SkinnedControl::set_Color3DLight(uint32_t color) {
    light_ = color;
    color_pair(look_ == EdgeLook::Raised, color);
    edge_colors_changed();
    changed(&SkinnedControl::set_Color3DLight);
}

void SkinnedControl::set_Color3DDark(uint32_t color) {
    dark_ = color;
    color_pair(look_ != EdgeLook::Raised, color);
    edge_colors_changed();
    changed(&SkinnedControl::set_Color3DDark);
}

void SkinnedControl::show_edge(EdgeLook look) {
    color_pair(true, look == EdgeLook::Raised ? light_ : dark_);
    color_pair(false, look == EdgeLook::Raised ? dark_ : light_);
}

void SkinnedControl::color_pair(bool top_left, uint32_t color) {
    if (top_left) {
        lines_.top.color = color;
        lines_.left.color = color;
    } else {
        lines_.right.color = color;
        lines_.bottom.color = color;
    }
    overlay_->update();
}

// --- settings --------------------------------------------------------------------------------------------

const PropertyDecl* SkinnedControl::find_property(const QString& key) const {
    for (const PropertyDecl& p : properties())
        if (p.key.compare(key, Qt::CaseInsensitive) == 0) return &p;
    return nullptr;
}

void SkinnedControl::read_properties(const PropertyBag& bag) {
    const QSignalBlocker quiet(this);  // the definition already holds these values
    for (const PropertyDecl& p : properties()) {
        if (!p.stored) continue;
        const QVariant value = normalise_property(p.kind, bag.read(p.key, p.default_value(*this)));
        (p.load ? p.load : p.apply)(*this, value);
    }
}

void SkinnedControl::write_properties(PropertyBag& bag) const {
    for (const PropertyDecl& p : properties()) {
        if (!p.stored) continue;
        bag.write(p.key, normalise_property(p.kind, p.get(*this)), p.default_value(*this));
    }
}

bool SkinnedControl::set_property(const QString& key, const QVariant& value) {
    const PropertyDecl* p = find_property(key);
    if (p == nullptr) return false;
    {
        // The key set, not the one its setter reports: a font part sets the whole font.
        const QSignalBlocker quiet(this);
        p->apply(*this, normalise_property(p->kind, value));
    }
    emit property_changed(p->key);
    return true;
}

QVariant SkinnedControl::property_value(const QString& key) const {
    const PropertyDecl* p = find_property(key);
    return p != nullptr ? normalise_property(p->kind, p->get(*this)) : QVariant();
}

QFont SkinnedControl::host_font() const {
    return parentWidget() != nullptr ? parentWidget()->font() : QApplication::font();
}

// --- painting and mouse ----------------------------------------------------------------------------------

void SkinnedControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_surface(painter, surface());
}

void SkinnedControl::mousePressEvent(QMouseEvent* event) {
    pressed_ |= event->button();
    if (event->button() == Qt::LeftButton) click_armed_ = true;
    show_pressed(true, event->button());
    const MouseArgs a = mouse_args(*event);
    emit MouseDown(a.button, a.shift, a.x, a.y);
}

void SkinnedControl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !raises_double_click()) {
        mousePressEvent(event);
        return;
    }
    // The second press of a double click raises DblClick in place of MouseDown and Click.
    pressed_ |= event->button();
    click_armed_ = false;
    emit DblClick();
}

void SkinnedControl::mouseMoveEvent(QMouseEvent* event) {
    if (!reports_move_at(event->position())) return;
    const MouseArgs a = mouse_args(*event, true);
    emit MouseMove(a.button, a.shift, a.x, a.y);
}

void SkinnedControl::mouseReleaseEvent(QMouseEvent* event) {
    if (!(pressed_ & event->button())) return;
    pressed_ &= ~event->button();
    show_pressed(false, event->button());
    const MouseArgs a = mouse_args(*event);
    emit MouseUp(a.button, a.shift, a.x, a.y);
    if (event->button() == Qt::LeftButton && click_armed_) {
        click_armed_ = false;
        if (rect().contains(event->position().toPoint())) emit Click();
    }
}

void SkinnedControl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update_focus_mark();
}

void SkinnedControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update_focus_mark();
}

void SkinnedControl::update_focus_mark() { overlay_->update(); }

MouseArgs SkinnedControl::mouse_args(const QMouseEvent& event, bool use_held_buttons) {
    auto code = [](Qt::MouseButtons b) {
        int16_t c = 0;
        if (b & Qt::LeftButton) c |= 1;
        if (b & Qt::RightButton) c |= 2;
        if (b & Qt::MiddleButton) c |= 4;
        return c;
    };
    int16_t shift = 0;
    if (event.modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event.modifiers() & Qt::ControlModifier) shift |= 2;
    if (event.modifiers() & Qt::AltModifier) shift |= 4;
    const QPointF p = event.position();
    return MouseArgs{code(use_held_buttons ? event.buttons() : Qt::MouseButtons(event.button())), shift,
                     float(p.x()), float(p.y())};
}

}  // namespace morvane::controls
