#pragma once
// Window effects of the program's borderless windows: a rounded outline, whole-window translucency with a
// fade-in, and dragging the main window by its title label. Applied with Qt's own mechanisms (a mask
// region, window opacity, QCursor, QWidget::move) and reported to an optional observer, so that tests can
// read what a window was given.
//
// One ratio serves everything here: the windows' fixed kTwipsPerPixel. A drag position handed in as twips
// (the title label's mouse position times that ratio) and the window position worked out from it use the
// same ratio, so the window follows the cursor pixel for pixel on any screen; regions are taken from sizes in
// pixels.
#include "platform/twips.h"

#include <QPoint>

#include <cstdint>
#include <functional>
#include <vector>

class QWidget;

namespace morvane::app::form_fx {

// The rounding of every window of the program's own: corner ellipses of this width and height, in pixels.
inline constexpr int16_t kWindowCorner = 20;

// A rounded rectangle as the platform's round-rect region takes it: right and bottom are exclusive edges,
// each corner is a quarter of an ellipse corner_width x corner_height (pixels).
struct RoundRegion {
    int left = 0, top = 0, right = 0, bottom = 0;
    int corner_width = 0, corner_height = 0;
    friend bool operator==(const RoundRegion&, const RoundRegion&) = default;
};

// What the effects did to which window.
class Observer {
public:
    virtual ~Observer() = default;
    virtual void region_set(const QWidget& window, const RoundRegion& region) = 0;
    virtual void opacity_set(const QWidget& window, int opacity) = 0;
    // The window's new top-left corner, in twips as worked out and in the pixels it was moved to.
    virtual void window_moved(const QWidget& window, double left_twips, double top_twips, QPoint pixels) = 0;
};

// Everything the effects did, in order.
class Record : public Observer {
public:
    struct Move {
        double left_twips, top_twips;
        QPoint pixels;
    };
    void region_set(const QWidget&, const RoundRegion& region) override { regions.push_back(region); }
    void opacity_set(const QWidget&, int opacity) override { opacities.push_back(opacity); }
    void window_moved(const QWidget&, double left_twips, double top_twips, QPoint pixels) override {
        moves.push_back(Move{left_twips, top_twips, pixels});
    }
    std::vector<RoundRegion> regions;
    std::vector<int> opacities;
    std::vector<Move> moves;
};

// The cursor's position on the screen, in pixels.
class CursorSource {
public:
    virtual ~CursorSource() = default;
    virtual QPoint screen_position() const = 0;
};

class QtCursor : public CursorSource {
public:
    QPoint screen_position() const override;
};

class FixedCursor : public CursorSource {
public:
    QPoint screen_position() const override { return position; }
    QPoint position;
};

// The region a window of that size in pixels gets.
RoundRegion round_region_for(int width_pixels, int height_pixels, int corner);

// The module: its drag state and its collaborators. The program owns one.
class FormFx {
public:
    FormFx();

    void set_observer(Observer* observer) { observer_ = observer; }   // nullptr: none
    void set_cursor(const CursorSource* cursor);                       // nullptr: the real cursor
    void set_yield(std::function<void()> yield);                       // empty: the message loop
    void set_main_window(QWidget* window) { main_window_ = window; }   // the window drag_move moves

    void shape_window(QWidget& form, int16_t corner);
    void set_opacity(QWidget& form, int16_t opacity);
    // first, first + step, ... up to last, with one yield before each; nothing when first > last or the
    // step does not advance. Stops early when the window is hidden meanwhile (the program is ending).
    void fade_in(QWidget& form, int16_t first, int16_t last, int32_t step);

    // Mouse position inside the title label, in twips (pixels x kTwipsPerPixel).
    void drag_start(bool dragging, float x_twips, float y_twips);
    void drag_move();
    void drag_stop();

    bool dragging = false;
    float drag_x = 0;  // twips
    float drag_y = 0;  // twips

private:
    Observer* observer_ = nullptr;
    QtCursor qt_cursor_;
    const CursorSource* cursor_ = &qt_cursor_;
    std::function<void()> yield_;
    QWidget* main_window_ = nullptr;
};

}  // namespace morvane::app::form_fx
