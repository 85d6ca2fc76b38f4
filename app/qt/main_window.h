#pragma once
// `main` on Linux: a borderless window showing the core's pixels (the window's colour, frames, labels, the
// preview), with Qt's own controls where the user acts: buttons for "Make Background", "Load Picture" and the
// close glyph, a combo box for the resolution, each showing its rectangle of those pixels. The window turns
// Qt's events into the form's calls and does what the form asks of it.
#include "app/forms/main_form.h"
#include "app/qt/progress_window.h"
#include "app/qt/qt_shell.h"
#include "controls/core/text.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace morvane::controls {
class PixelButton;
class PixelList;
}

namespace morvane::app {

class MainWindow : public QWidget, private MainView {
public:
    // Form_Load: the controls, rounded, opacity 0, the list filled; nothing shown yet.
    MainWindow(MainServices services, TwipsPerPixel ratios, const controls::FontSpec& window_font,
               controls::TextService& text);
    ~MainWindow() override;

    // Centred on the screen's work area and shown; the first activation runs Form_Activate.
    void show_centred();

    MainForm& form() { return form_; }
    const Image32& pixels() const { return pixels_; }  // the client area as last painted
    ProgressWindow* progress() const { return progress_.get(); }
    QWidget* control(size_t row) const;  // the Qt control over a row of the layout (main_rows), or null

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;  // the title line drags the window
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;  // a picture file dropped loads like Load Picture
    void dropEvent(QDropEvent* event) override;

private:
    // MainView
    WindowShell& shell() override { return shell_; }
    void picture_changed() override { refresh(true); }
    void controls_changed() override { refresh(true); }
    void set_input_enabled(bool on) override { setEnabled(on); }
    int focused_row() const override;
    void focus_row(size_t row) override;
    ProgressView& open_progress() override;
    void close_progress() override { progress_.reset(); }
    void set_notice_timer(int milliseconds) override;

    // Reads focus and held buttons into the controls' state, and paints the window again when anything
    // changed (or always, when `force`).
    void refresh(bool force);

    MainServices services_;
    MainForm form_;
    TwipsPerPixel ratios_;
    controls::FontSpec font_;
    controls::TextService& text_;
    Image32 pixels_;
    QtShell shell_{*this};
    controls::PixelList* list_ = nullptr;
    controls::PixelButton *build_ = nullptr, *load_ = nullptr, *close_ = nullptr;
    std::unique_ptr<ProgressWindow> progress_;
    QTimer notice_timer_;
    bool dragging_ = false;
};

}  // namespace morvane::app
