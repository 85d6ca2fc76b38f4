#pragma once
// The window effects (app/forms/window_effects.h) for the Linux windows: each QWidget given a shell that applies
// an outline as a mask region, the opacity as the window's opacity, a move as QWidget::move, and reports each to
// an optional observer, so that tests can read what a window was given.
#include "app/forms/window_effects.h"
#include "app/forms/window_shell.h"

#include <QObject>
#include <QPoint>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QWidget;

namespace morvane::app::form_fx {

using app::RoundRegion;
using app::kWindowCorner;

// What the effects did to which window.
class Observer {
public:
    virtual ~Observer() = default;
    virtual void region_set(const QWidget& window, const RoundRegion& region) = 0;
    virtual void opacity_set(const QWidget& window, int opacity) = 0;
    virtual void window_moved(const QWidget& window, QPoint pixels) = 0;  // its new top-left corner
};

// Everything the effects did, in order.
class Record : public Observer {
public:
    void region_set(const QWidget&, const RoundRegion& region) override { regions.push_back(region); }
    void opacity_set(const QWidget&, int opacity) override { opacities.push_back(opacity); }
    void window_moved(const QWidget&, QPoint pixels) override { moves.push_back(pixels); }
    std::vector<RoundRegion> regions;
    std::vector<int> opacities;
    std::vector<QPoint> moves;
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

// The module for the Linux windows: the effects and a shell for each window they touch. The program owns one.
class FormFx {
public:
    FormFx();
    ~FormFx();

    void set_observer(Observer* observer) { observer_ = observer; }  // nullptr: none
    void set_cursor(const CursorSource* cursor);                      // nullptr: the real cursor
    void set_yield(std::function<void()> yield);                      // empty: the message loop
    void set_main_window(QWidget* window);                            // the window drag_move moves

    void shape_window(QWidget& form, int16_t corner) { effects_.shape_window(shell(form), corner); }
    void set_opacity(QWidget& form, int16_t opacity) { effects_.set_opacity(shell(form), opacity); }
    void fade_in(QWidget& form, int16_t first, int16_t last, int32_t step) {
        effects_.fade_in(shell(form), first, last, step);
    }
    void drag_start(bool dragging, float x_twips, float y_twips) { effects_.drag_start(dragging, x_twips, y_twips); }
    void drag_move() { effects_.drag_move(); }
    void drag_stop() { effects_.drag_stop(); }

    WindowEffects& effects() { return effects_; }
    // The window as the effects see it; made on first use, forgotten when the window goes.
    WindowShell& shell(QWidget& window);

private:
    class Shell;
    class Cursor : public app::CursorSource {
    public:
        explicit Cursor(const FormFx& fx) : fx_(fx) {}
        ScreenPoint screen_position() const override;

    private:
        const FormFx& fx_;
    };

    Observer* observer_ = nullptr;
    QtCursor qt_cursor_;
    const CursorSource* cursor_ = &qt_cursor_;
    Cursor cursor_adapter_{*this};
    WindowEffects effects_;
    std::map<const QWidget*, std::unique_ptr<Shell>> shells_;
    QObject guard_;  // ends the windows' goodbyes to the shells when the module goes first
};

}  // namespace morvane::app::form_fx
