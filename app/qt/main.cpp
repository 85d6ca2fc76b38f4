// morvane: the desktop program on Linux. The main window and its services, owned once here.
#include "app/core/program_arguments.h"
#include "app/forms/game_location.h"
#include "app/qt/main_window.h"
#include "controls/qt/qt_text.h"
#include "platform/pictures/memory_reuse.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "platform/qt/pictures/own_qt.h"
#include "platform/qt/pictures/picture_loader.h"
#include "platform/qt/screen_metrics.h"
#include "platform/system/message_loop.h"
#include "texture/vtfmod.h"

#include <QApplication>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char* argv[]) {
    using namespace morvane;
    // The version and the usage are answered before Qt starts, so that they work without a display; a wrong
    // argument is told once Qt has taken its own (-platform, -style, ...).
    const std::vector<std::string_view> raw(argv + (argc > 0 ? 1 : 0), argv + argc);
    const app::ProgramArguments early = app::parse_program_arguments(raw).value;
    if (early.kind == app::ProgramArguments::Version) {
        std::printf("morvane %s\n", MORVANE_VERSION);
        return 0;
    }
    if (early.kind == app::ProgramArguments::Help) {
        std::fputs(app::kProgramUsage, stdout);
        return 0;
    }
    keep_freed_memory_for_reuse();
    keep_to_own_qt_plugins();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(MORVANE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("morvane"));
    std::vector<std::string> left;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) left.push_back(argument.toStdString());
    const Result<app::ProgramArguments> parsed =
        app::parse_program_arguments(std::vector<std::string_view>(left.begin(), left.end()));
    if (!parsed.ok) {
        std::fprintf(stderr, "morvane: %s.\n\n%s", parsed.error.c_str(), app::kProgramUsage);
        return 2;
    }

    app::QtCursor cursor;
    app::WindowEffects fx(cursor, yield_to_message_loop);
    texture::TextureModule texture;
    QtFileDialog dialog;
    QtMessageBox messages;
    app::MainWindow* shown = nullptr;

    app::MainServices services =
        app::system_services(QCoreApplication::applicationDirPath().toStdU16String(), dialog, messages, fx, texture,
                             [](const std::filesystem::path& file) { return load_picture(file); });
    // Queued, so that it also ends the program when it comes before the event loop runs.
    services.end_program = [&shown](int exit_code) {
        if (shown != nullptr) shown->hide();
        QMetaObject::invokeMethod(qApp, [exit_code] { QCoreApplication::exit(exit_code); }, Qt::QueuedConnection);
    };

    app::MainWindow window(services, twips_per_pixel(), controls::font_spec(QApplication::font()), controls::qt_text());
    shown = &window;
    dialog.set_parent(&window);
    messages.set_parent(&window);
    if (!parsed.value.picture.empty()) window.form().load_at_start(parsed.value.picture);
    window.show_centred();
    return QApplication::exec();
}
