#pragma once
// Space and Enter press a button as a left-button click does, as on Windows: Enter clicks at once; Space
// holds the button down while the key is held and clicks when it comes up; a key the system repeats presses
// once; the focus leaving while Space is held lets the button up without a click. The push button and the
// close glyph take their keys here.
#include <functional>

class QKeyEvent;
class QWidget;

namespace morvane::controls {

class ButtonKeys {
public:
    // `click` raises the control's Click; `hold` shows the control held down (true) or up again (false).
    ButtonKeys(QWidget& control, std::function<void()> click, std::function<void(bool)> hold = {});

    // For the control's keyPressEvent and keyReleaseEvent: true when the key was the button's (and is
    // accepted), false for a key the control passes on to its window.
    bool key_press(QKeyEvent& event);
    bool key_release(QKeyEvent& event);
    // For the control's focusOutEvent.
    void focus_lost();
    bool space_held() const { return space_held_; }

private:
    void hold(bool down);

    QWidget& control_;
    std::function<void()> click_;
    std::function<void(bool)> hold_;
    bool space_held_ = false;
};

}  // namespace morvane::controls
