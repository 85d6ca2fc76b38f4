#pragma once
// The Linux host's interactive controls: Qt widgets that show their rectangle of the window's pixels, which the
// core paints, and bring what Qt does best: the focus and Tab order, Space and Enter, the drop-down list and
// what a screen reader hears. Each tells its window when something it shows (held, focused) may have changed.
#include "controls/core/elboton.h"
#include "controls/core/elcombo.h"
#include "controls/core/elprogress.h"
#include "platform/pictures/image32.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QProgressBar>

#include <functional>

namespace morvane::controls {

// Paints the widget's own rectangle of `window` (the client area of the window that holds it).
void show_window_pixels(QWidget& widget, const Image32& window);

// The control has the focus and the keyboard has been used in its window (Tab, Space, Enter, the arrows):
// only then does it show its focus mark, as on Windows.
bool shows_focus_mark(const QWidget& control);

// A push button (an elboton, or the close glyph when `button` is null): Space and Enter press it, a click
// raises its Click; the elboton also hears MouseDown, MouseMove and MouseUp with its caption's place.
class PixelButton : public QAbstractButton {
public:
    PixelButton(QWidget& window, const Image32& pixels, std::function<void()> changed, elboton* button = nullptr,
                std::function<CaptionPlace()> caption = {});
    // Pushed in: by Space, or by the left button until it is released, wherever the pointer has gone since.
    bool held() const { return isDown() || left_held_; }

protected:
    void paintEvent(QPaintEvent*) override { show_window_pixels(*this, pixels_); }
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    const Image32& pixels_;
    std::function<void()> changed_;
    elboton* button_;
    std::function<CaptionPlace()> caption_;
    bool left_held_ = false;
};

// The elcombo: Qt's own combo box keeps the keys, the drop-down list (in the control's colours) and what a
// screen reader hears; the entries and the choice are the core's. Qt's combo box is heard by its choice alone
// on Linux, so it lies in a group that paints nothing and carries the name a screen reader gives the list.
class PixelList : public QComboBox {
public:
    PixelList(QWidget& window, const Image32& pixels, std::function<void()> changed, elcombo& combo);
    void show_entries();  // the core's entries and choice, after they changed
    void place(const QRect& in_window, const QString& accessible_name);  // the list and its group

protected:
    void paintEvent(QPaintEvent*) override { show_window_pixels(*this, pixels_); }
    bool event(QEvent* event) override;

private:
    const Image32& pixels_;
    std::function<void()> changed_;
    elcombo& combo_;
};

// The elprogress: Qt's bar holds the range and value for screen readers; the core paints it.
class PixelBar : public QProgressBar {
public:
    PixelBar(QWidget& window, const Image32& pixels);
    void show_value(const elprogress& bar, const std::string& said);

protected:
    void paintEvent(QPaintEvent*) override { show_window_pixels(*this, pixels_); }

private:
    const Image32& pixels_;
};

}  // namespace morvane::controls
