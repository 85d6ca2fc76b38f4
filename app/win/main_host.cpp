// morvane.exe: the window program on Windows. The main window, its progress window and their services, owned
// once here; the version and the usage are answered before any window.
#include "app/core/program_arguments.h"
#include "app/forms/game_location.h"
#include "app/win/main_window.h"
#include "controls/win/gdi_text.h"
#include "platform/pictures/memory_reuse.h"
#include "platform/system/message_loop.h"
#include "platform/win/dialog_windows.h"
#include "platform/win/file_dialog.h"
#include "platform/win/message_box.h"
#include "platform/win/pictures/picture_loader.h"
#include "platform/win/screen_metrics.h"
#include "platform/win/wide_text.h"
#include "texture/vtfmod.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#undef MessageBox

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string> utf8_arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(morvane::utf8_from_wide(wide[i]));
    LocalFree(wide);
    return arguments;
}

// A window program has no console of its own: text goes to the one it was started from, or to where its
// output was sent.
void attach_output() {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE) return;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
}

std::filesystem::path program_folder() {
    std::vector<wchar_t> name(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
    return std::filesystem::path(std::wstring(name.data(), length)).parent_path();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace morvane;
    const std::vector<std::string> given = utf8_arguments();
    const std::vector<std::string_view> views(given.begin(), given.end());
    const Result<app::ProgramArguments> parsed = app::parse_program_arguments(views);
    if (!parsed.ok) {
        attach_output();
        std::fprintf(stderr, "morvane: %s.\n\n%s", parsed.error.c_str(), app::kProgramUsage);
        WinMessageBox().show("morvane: " + parsed.error + ".\n\n" + app::kProgramUsage);
        return 2;
    }
    const app::ProgramArguments& arguments = parsed.value;
    if (arguments.kind == app::ProgramArguments::Version) {
        attach_output();
        std::printf("morvane %s\n", MORVANE_VERSION);
        return 0;
    }
    if (arguments.kind == app::ProgramArguments::Help) {
        attach_output();
        std::fputs(app::kProgramUsage, stdout);
        return 0;
    }
    keep_freed_memory_for_reuse();
    SetProcessDPIAware();  // the manifest says so too; this covers a copy run without it
    OleInitialize(nullptr);  // the picture dialog's shell views want an apartment thread

    const TwipsPerPixel ratios = screen_twips_per_pixel();
    controls::GdiTextService text;
    app::SystemCursor cursor;
    app::WindowEffects fx(cursor, yield_to_message_loop);
    texture::TextureModule texture;
    WinFileDialog dialog;
    WinMessageBox messages;
    app::MainWindow* shown = nullptr;

    app::MainServices services = app::system_services(program_folder(), dialog, messages, fx, texture,
                                                      [](const std::filesystem::path& file) { return load_picture(file); });
    services.end_program = [&shown](int exit_code) {
        if (shown != nullptr) shown->hide();
        PostQuitMessage(exit_code);
    };

    app::MainWindow window(services, ratios, controls::FontSpec{}, text);
    shown = &window;
    dialog.set_owner(window.window());
    messages.set_owner(window.window());
    if (!arguments.picture.empty()) window.form().load_at_start(arguments.picture);
    window.show();

    MSG message;
    int exit_code = 0;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            exit_code = int(message.wParam);
            break;
        }
        if (got == -1) break;
        if (handled_as_dialog_key(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    shown = nullptr;
    OleUninitialize();
    return exit_code;
}
