// morvane-window-preview: shows the progress window as a build shows it, bar at VALUE of MAX, for looking at
// its layout on a real screen. Not part of the program; no file is read or written.
//   morvane-window-preview [VALUE [MAX]]      (defaults: 6 of 11)
#include "app/form_fx.h"
#include "app/process_window.h"
#include "controls/elprogress.h"

#include <QApplication>
#include <QScreen>

#include <cstdlib>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int value = argc > 1 ? std::atoi(argv[1]) : 6;
    const int max = argc > 2 ? std::atoi(argv[2]) : 11;
    morvane::app::form_fx::FormFx fx;
    morvane::app::ProcessInstance instance(fx);
    morvane::app::process& window = instance.get();
    morvane::app::LiveControl& bar = *window.controls().find("elprogress1");
    bar.progress.set_max(max);
    bar.progress.set_value(value);
    window.bar_changed();
    window.move(QGuiApplication::primaryScreen()->geometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
