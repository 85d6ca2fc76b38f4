#pragma once
// The progress window `process`: a small borderless window with a title, a hint and the bar elprogress1,
// shown while a background is built. One program-wide instance, made on first use and destroyed when
// unloaded, so every build starts with an empty bar. The build reaches the bar only through
// ProcessProgress, which looks the window up on every call and never keeps a pointer to it.
#include "texture/vtfmod.h"

#include <QWidget>

#include <functional>
#include <memory>

class QCloseEvent;

namespace morvane::app::form_fx {
class FormFx;
}
namespace morvane::controls {
class elprogress;
}

namespace morvane::app {

class process : public QWidget {
public:
    // Form_Load: the controls from the stored layout, rounded corners, opacity 150.
    explicit process(form_fx::FormFx& fx);
    controls::elprogress& elprogress1() { return *bar_; }

protected:
    // No way for the user to close it (Alt+F4 included): the build command unloads it.
    void closeEvent(QCloseEvent* event) override;

private:
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

// The texture build's view of the progress window: its bar's Max and Value, and the message loop.
// While no window is loaded the bar calls do nothing and Value reads 0.
class ProcessProgress : public texture::BuildProgress {
public:
    ProcessProgress(ProcessInstance& instance, std::function<void()> yield);
    void set_max(int32_t max) override;
    int32_t value() override;
    void set_value(int32_t value) override;
    void yield() override;

private:
    ProcessInstance& instance_;
    std::function<void()> yield_;
};

}  // namespace morvane::app
