#include "tools/cli_options.h"

#include "app/core/utf8_path.h"
#include "texture/background_build.h"

#include <string_view>
#include <utility>

namespace morvane::cli {

namespace {

// The sides --size takes, as the messages name them: "1024 or 2048", "1024|2048".
std::string sides(const char* between) {
    std::string text;
    for (const int side : texture::kBackgroundSides) text += (text.empty() ? "" : between) + std::to_string(side);
    return text;
}

}  // namespace

std::string usage() {
    return "Usage: morvane-cli make [PICTURE] --size " + sides("|") +
           " --out DIR|--game auto|PATH [--only-standard]\n"
           "                        [--encoder morvane|squish|squish-range]\n"
           "  or:  morvane-cli where\n"
           "  or:  morvane-cli inspect FILE.vtf\n"
           "  or:  morvane-cli --help\n"
           "  or:  morvane-cli --version\n"
           "\n"
           "Commands:\n"
           "  make     Stretches PICTURE (a .bmp, .jpg, .png, ... of any size; without one, the built-in picture) to\n"
           "           a square of the given side, builds the console background texture from it (DXT5, full mip\n"
           "           chain, VTF 7.1) and writes it twice, as background01.vtf (4:3 and 5:4 screens) and\n"
           "           background01_widescreen.vtf (16:10 and 16:9), each replacing an earlier one once the new file\n"
           "           is complete. Their materials background01.vmt and background01_widescreen.vmt are written too,\n"
           "           unless they are there already. --only-standard writes the background01 pair alone.\n"
           "           --out DIR    writes into DIR, which must exist.\n"
           "           --game auto  writes into the console folder of the Counter-Strike: Source that Steam knows of.\n"
           "           --game PATH  writes into the console folder of the game whose program (cstrike.sh,\n"
           "                        cstrike_linux64, cstrike.exe, cstrike_win64.exe, hl2.exe, ...) or folder PATH is:\n"
           "                        cstrike/custom/morvane/materials/console where the game reads cstrike/custom\n"
           "                        first (today's game), cstrike/materials/console in copies from before 2013; it\n"
           "                        is made if needed. Then it says which file the game opens for each background.\n"
           "           --encoder picks the DXT block encoder (default: the library's own choice).\n"
           "  where    Prints the console folder of every Counter-Strike: Source installation Steam knows of, one per\n"
           "           line, each followed by the file the game opens for each background (indented); exits with 1\n"
           "           when there is none.\n"
           "  inspect  Prints the header fields and the block table of a VTF file and checks that the blocks add up\n"
           "           to the file's length; exits with 1 when they do not or when the file is no VTF texture.\n";
}

namespace {

Outcome parse_make(int argc, char** argv, int first, MakeOptions& make) {
    for (int i = first; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--size") {
            if (!has_value) return Outcome::failed("--size needs a value: " + sides(" or "));
            const std::string value = argv[++i];
            make.side_pixels = 0;
            for (const int side : texture::kBackgroundSides)
                if (value == std::to_string(side)) make.side_pixels = side;
            if (make.side_pixels == 0)
                return Outcome::failed("--size must be " + sides(" or ") + ", not \"" + value + "\"");
        } else if (arg == "--out") {
            if (!has_value || !*argv[i + 1]) return Outcome::failed("--out needs a folder");
            make.out = app::path_from_utf8(argv[++i]);
        } else if (arg == "--game") {
            if (!has_value || !*argv[i + 1])
                return Outcome::failed("--game needs auto, the game's program or the game's folder");
            make.game = argv[++i];
        } else if (arg == "--only-standard") {
            make.only_standard = true;
        } else if (arg == "--encoder") {
            if (!has_value) return Outcome::failed("--encoder needs a value: morvane, squish or squish-range");
            dxt::Encoder encoder{};
            if (!dxt::encoder_from_name(argv[++i], encoder))
                return Outcome::failed("--encoder must be morvane, squish or squish-range, not \"" +
                                       std::string(argv[i]) + "\"");
            if (!dxt::encoder_available(encoder))
                return Outcome::failed("this build has no libsquish, so --encoder " + std::string(argv[i]) +
                                       " is not available; use --encoder morvane");
            make.encoder = encoder;
        } else if (arg.starts_with("--")) {
            return Outcome::failed("unknown option \"" + std::string(arg) + "\"");
        } else if (make.picture) {
            return Outcome::failed("only one picture can be given (\"" + app::utf8_from_path(*make.picture) +
                                   "\" and \"" + std::string(arg) + "\")");
        } else {
            make.picture = app::path_from_utf8(std::string(arg));
        }
    }
    if (make.side_pixels == 0) return Outcome::failed("make needs --size " + sides(" or --size "));
    if (make.out.empty() && make.game.empty()) return Outcome::failed("make needs --out DIR or --game auto|PATH");
    if (!make.out.empty() && !make.game.empty()) return Outcome::failed("give --out or --game, not both");
    return Outcome::done();
}

}  // namespace

Result<Command> parse_command_line(int argc, char** argv) {
    using Parsed = Result<Command>;
    Parsed parsed = Parsed::made(Command{});
    Command& command = parsed.value;
    if (argc < 2) return Parsed::failed("no command given");
    const std::string_view verb = argv[1];
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            command.kind = Command::Help;
            return parsed;
        }
        if (arg == "--version") {
            command.kind = Command::Version;
            return parsed;
        }
    }
    if (verb == "make") {
        command.kind = Command::Make;
        if (const Outcome make = parse_make(argc, argv, 2, command.make); !make.ok) return Parsed::failed(make);
        return parsed;
    }
    if (verb == "inspect") {
        command.kind = Command::Inspect;
        if (argc != 3) return Parsed::failed("inspect needs exactly one file");
        command.inspect.file = app::path_from_utf8(argv[2]);
        return parsed;
    }
    if (verb == "where") {
        command.kind = Command::Where;
        if (argc != 2) return Parsed::failed("where takes no arguments");
        return parsed;
    }
    return Parsed::failed("unknown command \"" + std::string(verb) + "\"");
}

}  // namespace morvane::cli
