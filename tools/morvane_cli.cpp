// morvane-cli: the console background build without a window.
#include "platform/memory_reuse.h"
#include "tools/cli_options.h"
#include "tools/game_choice.h"
#include "tools/inspect_command.h"
#include "tools/make_command.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>

namespace {

int run(int argc, char** argv) {
    morvane::cli::Command command;
    if (const std::string problem = morvane::cli::parse_command_line(argc, argv, command); !problem.empty()) {
        std::fprintf(stderr, "morvane-cli: %s.\n\n%s", problem.c_str(), morvane::cli::kUsage);
        return 2;
    }
    switch (command.kind) {
        case morvane::cli::Command::Help: std::fputs(morvane::cli::kUsage, stdout); return 0;
        case morvane::cli::Command::Version: std::printf("morvane-cli %s\n", MORVANE_VERSION); return 0;
        case morvane::cli::Command::Make: return morvane::cli::run_make(command.make);
        case morvane::cli::Command::Inspect: return morvane::cli::run_inspect(command.inspect);
        case morvane::cli::Command::Where: return morvane::cli::run_where();
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    morvane::keep_freed_memory_for_reuse();
    QCoreApplication app(argc, argv);  // picture decoding finds Qt's image plugins through it
    // Every expected failure has its own message; this is the last guard against an abort without one.
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morvane-cli: stopped: %s. Nothing was written.\n", e.what());
        return 1;
    }
}
