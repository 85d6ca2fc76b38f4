#pragma once
// The window effects' view of a Linux window: its outline as a mask, its opacity as the window's, a move as
// QWidget::move; and the cursor as Qt reads it.
#include "app/forms/window_shell.h"

class QWidget;

namespace morvane::app {

class QtShell : public WindowShell {
public:
    explicit QtShell(QWidget& window) : window_(window) {}
    int width_pixels() const override;
    int height_pixels() const override;
    void set_region(const RoundRegion& region) override;
    void set_opacity(int16_t opacity) override;
    void move_to(ScreenPoint top_left) override;
    bool gone() const override;

private:
    QWidget& window_;
};

class QtCursor : public CursorSource {
public:
    ScreenPoint screen_position() const override;
};

}  // namespace morvane::app
