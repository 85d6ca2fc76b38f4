#include "tools/cli_options.h"

#include <string_view>

namespace morvane::cli {

const char* const kUsage =
    "Usage: morvane-cli make [PICTURE] --size 1024|2048 --out DIR [--encoder morvane|squish|squish-range]\n"
    "  or:  morvane-cli inspect FILE.vtf\n"
    "  or:  morvane-cli --help\n"
    "  or:  morvane-cli --version\n"
    "\n"
    "Commands:\n"
    "  make     Stretches PICTURE (a .bmp, .jpg, .png, ... of any size; without one, the built-in picture) to\n"
    "           a square of the given side, builds the console background texture from it (DXT5, full mip\n"
    "           chain, VTF 7.1) and writes DIR/background01.vtf, replacing an earlier one once the new file is\n"
    "           complete. DIR/background01.vmt is written too, unless it is there already. DIR must exist.\n"
    "           --encoder picks the DXT block encoder (default: the library's own choice).\n"
    "  inspect  Prints the header fields and the block table of a VTF file and checks that the blocks add up\n"
    "           to the file's length; exits with 1 when they do not or when the file is no VTF texture.\n";

namespace {

std::string parse_make(int argc, char** argv, int first, MakeOptions& make) {
    for (int i = first; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--size") {
            if (!has_value) return "--size needs a value: 1024 or 2048";
            const std::string_view value = argv[++i];
            if (value == "1024") make.side_pixels = 1024;
            else if (value == "2048") make.side_pixels = 2048;
            else return "--size must be 1024 or 2048, not \"" + std::string(value) + "\"";
        } else if (arg == "--out") {
            if (!has_value) return "--out needs a folder";
            make.out = argv[++i];
        } else if (arg == "--encoder") {
            if (!has_value) return "--encoder needs a value: morvane, squish or squish-range";
            dxt::Encoder encoder{};
            if (!dxt::encoder_from_name(argv[++i], encoder))
                return "--encoder must be morvane, squish or squish-range, not \"" + std::string(argv[i]) + "\"";
            make.encoder = encoder;
        } else if (arg.starts_with("--")) {
            return "unknown option \"" + std::string(arg) + "\"";
        } else if (make.picture) {
            return "only one picture can be given (\"" + make.picture->string() + "\" and \"" + std::string(arg) + "\")";
        } else {
            make.picture = std::filesystem::path(std::string(arg));
        }
    }
    if (make.side_pixels == 0) return "make needs --size 1024 or --size 2048";
    if (make.out.empty()) return "make needs --out DIR";
    return {};
}

}  // namespace

std::string parse_command_line(int argc, char** argv, Command& command) {
    command = Command{};
    if (argc < 2) return "no command given";
    const std::string_view verb = argv[1];
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            command.kind = Command::Help;
            return {};
        }
        if (arg == "--version") {
            command.kind = Command::Version;
            return {};
        }
    }
    if (verb == "make") {
        command.kind = Command::Make;
        return parse_make(argc, argv, 2, command.make);
    }
    if (verb == "inspect") {
        command.kind = Command::Inspect;
        if (argc != 3) return "inspect needs exactly one file";
        command.inspect.file = argv[2];
        return {};
    }
    return "unknown command \"" + std::string(verb) + "\"";
}

}  // namespace morvane::cli
