#include "controls/qt/pixel_controls.h"

#include "platform/qt/system_colors.h"
#include "controls/qt/qt_text.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace morvane::controls {

namespace {

void note_keyboard_use(QWidget& control) { control.window()->setAttribute(Qt::WA_KeyboardFocusChange); }

bool focus_may_have_changed(const QEvent& event) {
    switch (event.type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::EnabledChange: return true;
        default: return false;
    }
}

MouseArgs mouse_args(const QMouseEvent& event, bool held_buttons) {
    auto code = [](Qt::MouseButtons b) {
        return int16_t((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0));
    };
    const Qt::KeyboardModifiers m = event.modifiers();
    const int16_t shift = int16_t((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                                  (m & Qt::AltModifier ? 4 : 0));
    return MouseArgs{code(held_buttons ? event.buttons() : Qt::MouseButtons(event.button())), shift,
                     float(event.position().x()), float(event.position().y())};
}

}  // namespace

// A group that shows nothing: only its name is heard.
class NameGroup final : public QGroupBox {
public:
    explicit NameGroup(QWidget& window) : QGroupBox(&window) { setFocusPolicy(Qt::NoFocus); }

protected:
    void paintEvent(QPaintEvent*) override {}
};

void show_window_pixels(QWidget& widget, const Image32& window) {
    if (window.empty()) return;
    // B, G, R, X in memory is QImage's RGB32 on the little-endian machines the program runs on.
    const QImage view(window.bytes.data(), window.width, window.height, qsizetype(window.stride()), QImage::Format_RGB32);
    QPainter painter(&widget);
    painter.drawImage(QPoint(0, 0), view,
                      widget.isWindow() ? widget.rect() : QRect(widget.mapTo(widget.window(), QPoint(0, 0)), widget.size()));
}

bool shows_focus_mark(const QWidget& control) {
    return control.hasFocus() && control.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

PixelButton::PixelButton(QWidget& window, const Image32& pixels, std::function<void()> changed, elboton* button,
                         std::function<CaptionPlace()> caption)
    : QAbstractButton(&window), pixels_(pixels), changed_(std::move(changed)), button_(button),
      caption_(std::move(caption)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(this, &QAbstractButton::pressed, this, [this] { changed_(); });
    connect(this, &QAbstractButton::released, this, [this] { changed_(); });
}

void PixelButton::keyPressEvent(QKeyEvent* event) {
    note_keyboard_use(*this);
    if (!event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();  // Enter presses the focused button, as Space does
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void PixelButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) left_held_ = true;
    changed_();  // the pushed-in look before MouseDown
    if (button_ != nullptr) button_->mouse_down(mouse_args(*event, false), caption_());
    QAbstractButton::mousePressEvent(event);
    changed_();
}

void PixelButton::mouseMoveEvent(QMouseEvent* event) {
    if (button_ != nullptr) button_->mouse_move(mouse_args(*event, true), caption_());
    QAbstractButton::mouseMoveEvent(event);
}

void PixelButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) left_held_ = false;
    changed_();  // the raised look before MouseUp and Click
    if (button_ != nullptr) button_->mouse_up(mouse_args(*event, false));
    QAbstractButton::mouseReleaseEvent(event);
    changed_();
}

bool PixelButton::event(QEvent* event) {
    const bool handled = QAbstractButton::event(event);
    if (focus_may_have_changed(*event)) changed_();
    return handled;
}

PixelList::PixelList(QWidget& window, const Image32& pixels, std::function<void()> changed, elcombo& combo)
    : QComboBox(new NameGroup(window)), pixels_(pixels), changed_(std::move(changed)), combo_(combo) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(qt_font(combo.Font()));
    const QString back = to_qcolor(kComboListBack).name(), fore = to_qcolor(combo.ForeColor()).name(),
                  light = to_qcolor(combo.Color3DLight()).name();
    view()->setStyleSheet(QStringLiteral("QAbstractItemView { background-color: %1; color: %2; border: 1px solid %3;"
                                         " selection-background-color: %3; selection-color: %1; outline: 0px; }")
                              .arg(back, fore, light));
    // The user's choice, by the list or by a key.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) { combo_.SetListIndex(int16_t(index)); });
    show_entries();
}

void PixelList::place(const QRect& in_window, const QString& accessible_name) {
    auto* group = static_cast<QGroupBox*>(parentWidget());
    group->setGeometry(in_window);
    group->setTitle(accessible_name);
    setGeometry(0, 0, in_window.width(), in_window.height());
}

void PixelList::show_entries() {
    const QSignalBlocker quiet(this);
    clear();
    for (const std::string& entry : combo_.list().entries()) addItem(QString::fromStdString(entry));
    setCurrentIndex(combo_.GetListIndex());
}

bool PixelList::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) note_keyboard_use(*this);
    const bool handled = QComboBox::event(event);
    if (focus_may_have_changed(*event)) changed_();
    return handled;
}

PixelBar::PixelBar(QWidget& window, const Image32& pixels) : QProgressBar(&window), pixels_(pixels) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PixelBar::show_value(const elprogress& bar, const std::string& said) {
    setRange(bar.Min(), bar.Max());
    setValue(bar.Value());
    setFormat(QString::fromStdString(said));
}

}  // namespace morvane::controls
