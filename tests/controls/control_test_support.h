#pragma once
// What the control tests share: one application object, pictures of rendered controls, and mouse input.
#include "platform/qt/system_colors.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <tuple>
#include <type_traits>
#include <vector>

namespace morvane::testing {

inline QApplication& qt_app() {
    static int argc = 1;
    static char name[] = "controls_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = qApp != nullptr ? static_cast<QApplication*>(qApp) : new QApplication(argc, argv);
    return *app;
}

// The widget as it looks on screen, one pixel per pixel.
inline QImage shot(QWidget& widget) {
    if (!widget.isVisible()) widget.show();
    QApplication::processEvents();
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The colour of a pixel as 0x00BBGGRR.
inline uint32_t colorref_at(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return uint32_t(qRed(p)) | uint32_t(qGreen(p)) << 8 | uint32_t(qBlue(p)) << 16;
}

// The colour a stored value shows as (system colours resolved).
inline uint32_t shown(uint32_t value) { return resolve_color(value); }

inline void send_mouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPointF at,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(target, &event);
}

inline void click(QWidget* target, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
    send_mouse(target, QEvent::MouseButtonPress, button, at);
    send_mouse(target, QEvent::MouseButtonRelease, button, at);
}

// Records every emission of a signal with its arguments: (*calls)[i] is a tuple of the i-th one's arguments.
template <class Sender, class Owner, class... Args>
auto record(Sender* sender, void (Owner::*signal)(Args...)) {
    auto calls = std::make_shared<std::vector<std::tuple<std::decay_t<Args>...>>>();
    QObject::connect(sender, signal, sender, [calls](Args... args) { calls->emplace_back(args...); });
    return calls;
}

}  // namespace morvane::testing
