// morvane: the desktop program. The main window, its progress window and their services, owned once here.
#include "app/form_fx.h"
#include "app/game_location.h"
#include "app/main_window.h"
#include "app/process_window.h"
#include "platform/memory_reuse.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "platform/qt/message_loop.h"
#include "texture/vtfmod.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[]) {
    morvane::keep_freed_memory_for_reuse();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(morvane::kApplicationTitle));

    form_fx::FormFx fx;
    morvane_ui::ProcessInstance process(fx);
    vtfmod::TextureModule texture;
    morvane::QtFileDialog dialog;
    morvane::QtMessageBox messages;

    morvane_ui::MainServices services;
    services.program_folder = QCoreApplication::applicationDirPath().toStdU16String();
    services.dialog = &dialog;
    services.messages = &messages;
    services.fx = &fx;
    services.process = &process;
    services.texture = &texture;
    services.yield = morvane::yield_to_message_loop;
    services.write_vmt = morvane_ui::write_material;
    services.find_games = morvane_ui::game_folders_through_steam;
    // Queued, so that it also ends the program when it comes before the event loop runs.
    services.end_program = [](int exit_code) {
        QMetaObject::invokeMethod(qApp, [exit_code] { QCoreApplication::exit(exit_code); }, Qt::QueuedConnection);
    };

    morvane_ui::main window(services);
    dialog.set_parent(&window);
    messages.set_parent(&window);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
