#pragma once
// What the control tests share: one application object, a host window at 15 twips per pixel with the
// program's font, pictures of rendered controls, and mouse input.
#include "controls/skinned_control.h"
#include "platform/qt/screen_metrics.h"
#include "platform/qt/symbol_font.h"
#include "platform/qt/system_colors.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <tuple>
#include <type_traits>
#include <vector>

namespace morvane::testing {

inline QApplication& qt_app() {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>("controls_tests"), nullptr};
    static auto* app = new QApplication(argc, argv);  // outlives every widget
    return *app;
}

class ControlTest : public ::testing::Test {
protected:
    ControlTest() { host.setFont(program_font(QStringLiteral("Tahoma"), 9.75)); }
    QApplication& app = qt_app();
    ScopedTwipsPerPixel ratios{{15.0, 15.0}};
    QWidget host;
};

// A control made from a stored definition, as the window's form builder makes it.
template <class Control>
controls::SkinnedControl* make(QWidget* host, const controls::Settings& definition) {
    auto* control = new Control(host);
    control->read_properties(definition);
    return control;
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

// The four edge lines, each at its middle: top and left in one colour, right and bottom in the other.
inline void expect_edge(const QImage& image, uint32_t top_left, uint32_t bottom_right) {
    const int w = image.width(), h = image.height();
    EXPECT_EQ(colorref_at(image, w / 2, 0), top_left) << "top";
    EXPECT_EQ(colorref_at(image, 0, h / 2), top_left) << "left";
    EXPECT_EQ(colorref_at(image, w - 1, h / 2), bottom_right) << "right";
    EXPECT_EQ(colorref_at(image, w / 2, h - 1), bottom_right) << "bottom";
}

// The colour the default dark edge (system colour 8, window text) shows as: the platform's text colour.
inline uint32_t dark_shown() {
    const QColor text = QGuiApplication::palette().color(QPalette::Active, QPalette::Text);
    return uint32_t(text.red()) | uint32_t(text.green()) << 8 | uint32_t(text.blue()) << 16;
}

inline void send_mouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPointF at,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(target, &event);
}

inline void click(QWidget* target, QPointF at) {
    send_mouse(target, QEvent::MouseButtonPress, Qt::LeftButton, at);
    send_mouse(target, QEvent::MouseButtonRelease, Qt::LeftButton, at);
}

// Records every emission of a signal with its arguments: (*calls)[i] is a tuple of the i-th one's arguments.
template <class Sender, class Owner, class... Args>
auto record(Sender* sender, void (Owner::*signal)(Args...)) {
    auto calls = std::make_shared<std::vector<std::tuple<std::decay_t<Args>...>>>();
    QObject::connect(sender, signal, sender, [calls](Args... args) { calls->emplace_back(args...); });
    return calls;
}

}  // namespace morvane::testing
