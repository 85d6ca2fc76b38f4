#include "app/process_window.h"

#include "app/form_builder.h"
#include "app/forms/form_definition.h"
#include "app/form_fx.h"
#include "controls/elprogress.h"
#include "platform/message_box.h"

#include <QCloseEvent>

namespace morvane::app {

namespace {
constexpr int16_t kOpacity = 150;
}  // namespace

process::process(form_fx::FormFx& fx) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    const BuiltForm built = build_form(*this, process_form_definition(), {});
    bar_ = built.get<controls::elprogress>("elprogress1");
    fx.shape_window(*this, form_fx::kWindowCorner);
    fx.set_opacity(*this, kOpacity);
}

void process::closeEvent(QCloseEvent* event) { event->ignore(); }

ProcessInstance::~ProcessInstance() = default;

process& ProcessInstance::get() {
    if (!window_) {
        window_ = std::make_unique<process>(fx_);
        ++created_;
    }
    return *window_;
}

void ProcessInstance::unload() { window_.reset(); }

ProcessProgress::ProcessProgress(ProcessInstance& instance, std::function<void()> yield)
    : instance_(instance), yield_(std::move(yield)) {}

void ProcessProgress::set_max(int32_t max) {
    if (process* window = instance_.loaded()) window->elprogress1().set_Max(max);
}

int32_t ProcessProgress::value() {
    process* window = instance_.loaded();
    return window ? window->elprogress1().Value() : 0;
}

void ProcessProgress::set_value(int32_t value) {
    if (process* window = instance_.loaded()) window->elprogress1().set_Value(value);
}

void ProcessProgress::yield() {
    if (yield_) yield_();
}

}  // namespace morvane::app
