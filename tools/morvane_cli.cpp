// morvane-cli: the console background build without a window.
#include "platform/pictures/memory_reuse.h"
#include "tools/cli_options.h"
#include "tools/game_choice.h"
#include "tools/inspect_command.h"
#include "tools/make_command.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>
#include <vector>
#endif

#include <cstdio>
#include <exception>

namespace {

int run(int argc, char** argv) {
    const morvane::Result<morvane::cli::Command> parsed = morvane::cli::parse_command_line(argc, argv);
    if (!parsed.ok) {
        std::fprintf(stderr, "morvane-cli: %s.\n\n%s", parsed.error.c_str(), morvane::cli::usage().c_str());
        return 2;
    }
    const morvane::cli::Command& command = parsed.value;
    switch (command.kind) {
        case morvane::cli::Command::Help: std::fputs(morvane::cli::usage().c_str(), stdout); return 0;
        case morvane::cli::Command::Version: std::printf("morvane-cli %s\n", MORVANE_VERSION); return 0;
        case morvane::cli::Command::Make: return morvane::cli::run_make(command.make);
        case morvane::cli::Command::Inspect: return morvane::cli::run_inspect(command.inspect);
        case morvane::cli::Command::Where: return morvane::cli::run_where();
    }
    return 2;
}

// Every expected failure has its own message; this is the last guard against an abort without one.
int run_guarded(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morvane-cli: stopped: %s. Nothing was written.\n", e.what());
        return 1;
    }
}

}  // namespace

#ifdef _WIN32
// Windows hands over the arguments as UTF-16, so a picture or folder named in any language arrives whole;
// they go on as UTF-8, which the console is told to show.
int wmain(int argc, wchar_t** wargv) {
    morvane::keep_freed_memory_for_reuse();
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        const int len = WideCharToMultiByte(CP_UTF8, 0, wargv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size_t(len > 0 ? len : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wargv[i], -1, arg.data(), len, nullptr, nullptr);
        arg.resize(arg.size() - 1);  // the terminating zero
        args.push_back(std::move(arg));
    }
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return run_guarded(argc, argv.data());
}
#else
int main(int argc, char** argv) {
    morvane::keep_freed_memory_for_reuse();
    return run_guarded(argc, argv);
}
#endif
