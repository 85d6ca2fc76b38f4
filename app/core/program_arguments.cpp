#include "app/core/program_arguments.h"

namespace morvane::app {

const char* const kProgramUsage =
    "Usage: morvane [PICTURE]\n"
    "Opens the Morvane window; with PICTURE, loads that picture once the game is located, as \"Load Picture\"\n"
    "does.\n"
    "  --version  prints the version\n"
    "  --help     prints this text\n";

Result<ProgramArguments> parse_program_arguments(std::span<const std::string_view> arguments) {
    using Parsed = Result<ProgramArguments>;
    // Asked for anywhere, the version or the usage is all that is done.
    for (const std::string_view argument : arguments) {
        if (argument == "--") break;
        if (argument == "--version") return Parsed::made({ProgramArguments::Version, {}});
        if (argument == "--help" || argument == "-h") return Parsed::made({ProgramArguments::Help, {}});
    }
    ProgramArguments parsed;
    bool options_end = false;  // after "--" every argument is a file name, even one that starts with "-"
    for (const std::string_view argument : arguments) {
        if (!options_end && argument == "--") {
            options_end = true;
        } else if (!options_end && argument.starts_with('-') && argument.size() > 1) {
            return Parsed::failed("unknown option \"" + std::string(argument) + "\"");
        } else if (argument.empty()) {
            return Parsed::failed("an empty picture name was given");
        } else if (!parsed.picture.empty()) {
            return Parsed::failed("only one picture can be opened (\"" + parsed.picture + "\" and \"" +
                                  std::string(argument) + "\")");
        } else {
            parsed.picture = argument;
        }
    }
    return Parsed::made(parsed);
}

}  // namespace morvane::app
