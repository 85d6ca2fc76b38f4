#include "controls/focus_cue.h"

#include "platform/qt/system_colors.h"

#include <QPainter>
#include <QRect>
#include <QWidget>

namespace morvane::controls {

bool shows_focus_cue(const QWidget& control) {
    return control.hasFocus() && control.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void note_keyboard_use(QWidget& control) {
    control.window()->setAttribute(Qt::WA_KeyboardFocusChange);
    control.update();
}

void paint_focus_mark(QPainter& painter, const QRect& rect, uint32_t color) {
    if (rect.isEmpty()) return;
    const QColor c = to_qcolor(color);
    // The outline's pixels on a checkerboard anchored at the top-left corner.
    auto dot = [&](int x, int y) {
        if ((x - rect.left() + y - rect.top()) % 2 == 0) painter.fillRect(x, y, 1, 1, c);
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        if (rect.bottom() != rect.top()) dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        if (rect.right() != rect.left()) dot(rect.right(), y);
    }
}

}  // namespace morvane::controls
