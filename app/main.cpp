// morvane: the desktop program. The main window, its progress window and their services, owned once here.
#include "app/form_fx.h"
#include "app/forms/game_location.h"
#include "app/main_window.h"
#include "app/process_window.h"
#include "app/core/program_arguments.h"
#include "app/core/settings_location.h"
#include "platform/pictures/memory_reuse.h"
#include "platform/qt/pictures/own_qt.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "platform/system/message_loop.h"
#include "texture/vtfmod.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The version and the usage are answered from these, before the windowing layer starts, so that they work
// without a display.
std::vector<std::string_view> raw_arguments(int argc, char* argv[]) {
    return std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

// What is left once Qt has taken its own options (-platform, -style, ...), in UTF-8 on every system.
std::vector<std::string> arguments_left_by_qt(const QStringList& arguments) {
    std::vector<std::string> utf8;
    for (qsizetype i = 1; i < arguments.size(); ++i) utf8.push_back(arguments[i].toStdString());
    return utf8;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Qt has not yet taken its own arguments: a wrong one is told once Qt has.
    const auto early = morvane::app::parse_program_arguments(raw_arguments(argc, argv)).value;
    if (early.kind == morvane::app::ProgramArguments::Version) {
        std::printf("morvane %s\n", MORVANE_VERSION);
        return 0;
    }
    if (early.kind == morvane::app::ProgramArguments::Help) {
        std::fputs(morvane::app::kProgramUsage, stdout);
        return 0;
    }
    morvane::keep_freed_memory_for_reuse();
    morvane::keep_to_own_qt_plugins();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(morvane::kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(MORVANE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("morvane"));
    const std::vector<std::string> left = arguments_left_by_qt(QCoreApplication::arguments());
    const auto parsed = morvane::app::parse_program_arguments(std::vector<std::string_view>(left.begin(), left.end()));
    if (!parsed.ok) {
        std::fprintf(stderr, "morvane: %s.\n\n%s", parsed.error.c_str(), morvane::app::kProgramUsage);
        return 2;
    }
    const morvane::app::ProgramArguments& arguments = parsed.value;

    morvane::app::form_fx::FormFx fx;
    morvane::app::ProcessInstance process(fx);
    morvane::texture::TextureModule texture;
    morvane::QtFileDialog dialog;
    morvane::QtMessageBox messages;

    morvane::app::QtMainServices services;
    services.program_folder =
        morvane::app::settings_folder_for(QCoreApplication::applicationDirPath().toStdU16String());
    services.dialog = &dialog;
    services.messages = &messages;
    services.fx = &fx;
    services.process = &process;
    services.texture = &texture;
    services.yield = morvane::yield_to_message_loop;
    services.write_vmt = morvane::app::write_material;
    services.find_games = morvane::app::game_folders_through_steam;
    // Queued, so that it also ends the program when it comes before the event loop runs.
    services.end_program = [](int exit_code) {
        QMetaObject::invokeMethod(qApp, [exit_code] { QCoreApplication::exit(exit_code); }, Qt::QueuedConnection);
    };

    morvane::app::main window(services);
    dialog.set_parent(&window);
    messages.set_parent(&window);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    if (!arguments.picture.empty()) window.load_at_start(arguments.picture);
    window.show();
    return QApplication::exec();
}
