#include "app/process_window.h"

#include "app/form_builder.h"
#include "app/form_fx.h"
#include "app/forms/form_definition.h"
#include "controls/elprogress.h"
#include "controls/qt_text.h"
#include "platform/system/message_box.h"
#include "platform/qt/screen_metrics.h"

#include <QCloseEvent>

namespace morvane::app {

process::process(form_fx::FormFx& fx)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      controls_(process_form_definition(), twips_per_pixel(), controls::font_spec(font())) {
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    const BuiltForm built = build_form(*this, process_form_definition(), {});
    bar_ = built.get<controls::elprogress>("elprogress1");
    fx.shape_window(*this, kWindowCorner);
    fx.set_opacity(*this, kProgressOpacity);
}

void process::bar_changed() {
    const LiveControl* bar = controls_.find("elprogress1");
    if (bar == nullptr || bar_ == nullptr) return;
    bar_->set_Max(bar->progress.max);
    bar_->set_Value(bar->progress.value);
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

}  // namespace morvane::app
