#include "controls/skinned_control.h"

#include "controls/accessible_controls.h"
#include "controls/focus_cue.h"
#include "controls/qt_text.h"
#include "controls/skin_painter.h"
#include "platform/qt/screen_metrics.h"
#include "platform/qt/symbol_font.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include <cmath>
#include <string>

namespace morvane::controls {

SkinnedControl::SkinnedControl(QWidget* parent, TwipsSize initial) : QWidget(parent), outer_(initial) {
    install_font_fallbacks();
    install_accessible_controls();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // MouseMove also while no button is held
}

SkinnedControl::~SkinnedControl() = default;

void SkinnedControl::finish_construction() {
    setEnabled(face_value("Enabled").as_bool());
    set_size_twips(outer_.width, outer_.height);
}

// --- the background blend ----------------------------------------------------------------------------

PixelRect SkinnedControl::blend_rect() const { return PixelRect{1, 1, width() - 2, height() - 2}; }

Outcome SkinnedControl::obtener_imagen_fondo(const Image32& source, int32_t X, int32_t Y, int16_t opacity) {
    if (opacity < 0 || opacity > 255)
        return Outcome::failed("obtener_imagen_fondo: opacity " + std::to_string(opacity) +
                               " is outside 0..255; the control's background was left as it was");
    blend_ = blend_of(source, X, Y, blend_rect(), uint8_t(opacity));
    repaint_face();
    return Outcome::done();
}

// --- geometry --------------------------------------------------------------------------------------------

TwipsPerPixel SkinnedControl::ratios() const { return twips_per_pixel(); }
double SkinnedControl::width_pixels_exact() const { return outer_.width / ratios().x; }
double SkinnedControl::height_pixels_exact() const { return outer_.height / ratios().y; }

void SkinnedControl::set_size_twips(double width, double height) {
    outer_ = apply_size_rule(size_rule(), TwipsSize{width, height});
    const SurfaceSize pixels = surface_size(outer_, ratios());
    applying_size_ = true;
    resize(pixels.width, pixels.height);
    applying_size_ = false;
    relayout();
}

void SkinnedControl::set_geometry_twips(double left, double top, double width, double height) {
    const TwipsPerPixel r = ratios();
    move(int(std::lround(left / r.x)), int(std::lround(top / r.y)));
    set_size_twips(width, height);
}

void SkinnedControl::set_geometry_pixels(int left, int top, int width, int height) {
    move(left, top);
    const TwipsSize outer = twips_of_pixels(width, height, ratios());
    set_size_twips(outer.width, outer.height);
}

void SkinnedControl::resizeEvent(QResizeEvent*) {
    const SurfaceSize expected = surface_size(outer_, ratios());
    if (!applying_size_ && (width() != expected.width || height() != expected.height)) {
        // Resized from outside, in pixels: take it as the new outer size and apply the rule (a nested resize).
        const TwipsSize outer = twips_of_pixels(width(), height(), ratios());
        set_size_twips(outer.width, outer.height);
        return;
    }
    relayout();
}

void SkinnedControl::relayout() {
    layout_content();
    repaint_face();
}

// --- settings --------------------------------------------------------------------------------------------

void SkinnedControl::read_properties(const Settings& settings) {
    read_face(settings, host_font());
    setEnabled(face_value("Enabled").as_bool());
    relayout();
}

void SkinnedControl::write_properties(Settings& settings) const { write_face(settings, host_font()); }

bool SkinnedControl::set_property(const std::string& key, const SettingValue& value) {
    const std::optional<std::string> declared = set_face(key, value);
    if (!declared) return false;
    if (*declared == "Enabled") setEnabled(face_value("Enabled").as_bool());
    if (*declared == "BackColor" && !keeps_blend()) blend_.reset();  // the plain fill again
    property_set(*declared);
    relayout();
    emit property_changed(QString::fromStdString(*declared));
    return true;
}

SettingValue SkinnedControl::property_value(const std::string& key) const { return face_value(key); }

void SkinnedControl::set_font_keys(const QFont& font) {
    // The font travels as its parts; the host hears of "Font" once.
    const FontSpec parts = font_spec(font);
    {
        const QSignalBlocker quiet(this);
        set_property("FontName", parts.family);
        set_property("FontSize", parts.points);
        set_property("FontBold", parts.weight >= 600);
        set_property("FontItalic", parts.italic);
        set_property("FontUnderline", parts.underline);
    }
    emit property_changed(QStringLiteral("Font"));
}

FontSpec SkinnedControl::host_font() const {
    return font_spec(parentWidget() != nullptr ? parentWidget()->font() : QApplication::font());
}

// --- painting and mouse ----------------------------------------------------------------------------------

const Image32& SkinnedControl::surface() const {
    if (surface_.width != width() || surface_.height != height()) surface_.reset(width(), height());
    paint_face(surface_, blend_ ? &*blend_ : nullptr);
    return surface_;
}

bool SkinnedControl::focus_mark_shown() const { return shows_focus_cue(*this); }

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
    repaint_face();
}

void SkinnedControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    repaint_face();
}

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
