#pragma once
// `process` on Linux: a borderless window over the main one, rounded and at opacity 150, showing the core's
// pixels; its bar is Qt's own progress bar (so that screen readers hear a bar and its value), painted by the core.
#include "app/forms/main_form.h"
#include "app/qt/qt_shell.h"
#include "controls/core/text.h"

#include <QWidget>

namespace morvane::controls {
class PixelBar;
}

namespace morvane::app {

class ProgressWindow : public QWidget, public ProgressView {
public:
    // Shaped and made translucent through `fx`, then shown centred over `owner`.
    ProgressWindow(const QWidget& owner, WindowEffects& fx, TwipsPerPixel ratios, const controls::FontSpec& font,
                   controls::TextService& text);

    WindowControls& controls() override { return controls_; }
    void bar_changed() override;
    const Image32& pixels() const { return pixels_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // No way for the user to close it (Alt+F4 included): the build closes it.
    void closeEvent(QCloseEvent* event) override;

private:
    WindowControls controls_;
    controls::TextService& text_;
    Image32 pixels_;
    QtShell shell_{*this};
    controls::PixelBar* bar_ = nullptr;
};

}  // namespace morvane::app
