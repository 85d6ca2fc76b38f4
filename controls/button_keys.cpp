#include "controls/button_keys.h"

#include "controls/focus_cue.h"

#include <QKeyEvent>

namespace morvane::controls {

namespace {

bool is_space(const QKeyEvent& event) { return event.key() == Qt::Key_Space && event.modifiers() == Qt::NoModifier; }

bool is_enter(const QKeyEvent& event) {  // either Enter key
    const auto others = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) && others == Qt::NoModifier;
}

}  // namespace

ButtonKeys::ButtonKeys(QWidget& control, std::function<void()> click, std::function<void(bool)> hold)
    : control_(control), click_(std::move(click)), hold_(std::move(hold)) {}

void ButtonKeys::hold(bool down) {
    space_held_ = down;
    if (hold_) hold_(down);
}

bool ButtonKeys::key_press(QKeyEvent& event) {
    if (!is_space(event) && !is_enter(event)) return false;
    event.accept();
    note_keyboard_use(control_);
    if (event.isAutoRepeat()) return true;
    if (is_enter(event))
        click_();
    else if (!space_held_)
        hold(true);
    return true;
}

bool ButtonKeys::key_release(QKeyEvent& event) {
    if (event.key() != Qt::Key_Space || !space_held_) return false;
    event.accept();
    if (event.isAutoRepeat()) return true;
    hold(false);
    click_();
    return true;
}

void ButtonKeys::focus_lost() {
    if (space_held_) hold(false);
}

}  // namespace morvane::controls
