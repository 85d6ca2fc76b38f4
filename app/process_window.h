#pragma once
// The progress window `process` on Linux: a small borderless window with a title, a hint and the bar
// elprogress1, shown while a background is built. One program-wide instance, made on first use and destroyed
// when unloaded, so every build starts with an empty bar. The build moves the bar of the window's controls
// (app/forms), which the Qt bar then shows.
#include "app/forms/main_form.h"
#include "app/forms/window_controls.h"

#include <QWidget>

#include <memory>

class QCloseEvent;

namespace morvane::app::form_fx {
class FormFx;
}
namespace morvane::controls {
class elprogress;
}

namespace morvane::app {

class process : public QWidget, public ProgressView {
public:
    // Form_Load: the controls from the stored layout, rounded corners, opacity 150.
    explicit process(form_fx::FormFx& fx);
    controls::elprogress& elprogress1() { return *bar_; }

    WindowControls& controls() override { return controls_; }
    void bar_changed() override;

protected:
    // No way for the user to close it (Alt+F4 included): the build command unloads it.
    void closeEvent(QCloseEvent* event) override;

private:
    WindowControls controls_;
    controls::elprogress* bar_ = nullptr;
};

class ProcessInstance {
public:
    explicit ProcessInstance(form_fx::FormFx& fx) : fx_(fx) {}
    ~ProcessInstance();
    ProcessInstance(const ProcessInstance&) = delete;
    ProcessInstance& operator=(const ProcessInstance&) = delete;

    process& get();                        // creates the window on first use
    process* loaded() const { return window_.get(); }
    void unload();                         // destroys it; the next get() makes a fresh one
    int times_created() const { return created_; }

private:
    form_fx::FormFx& fx_;
    std::unique_ptr<process> window_;
    int created_ = 0;
};

}  // namespace morvane::app
