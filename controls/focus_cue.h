#pragma once
// The keyboard focus mark of the skinned controls. Like Windows, a window shows where the focus is only once
// the keyboard has been used in it; until then it looks exactly as if it had no keyboard at all. Qt records
// that use on the window (Qt::WA_KeyboardFocusChange, set by Tab and Shift+Tab); a control that handles a
// key of its own (Space, Enter, the arrows) records it too.
#include <cstdint>

class QPainter;
class QRect;
class QWidget;

namespace morvane::controls {

// The control has the keyboard focus and the keyboard has been used in its window.
bool shows_focus_cue(const QWidget& control);

// From now on the control's window shows its focus mark; the control repaints itself.
void note_keyboard_use(QWidget& control);

// A dotted one-pixel rectangle on every other pixel, as Windows draws its focus rectangle; `rect` is the
// outermost pixels (both edges included).
void paint_focus_mark(QPainter& painter, const QRect& rect, uint32_t color);

}  // namespace morvane::controls
