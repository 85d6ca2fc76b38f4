#pragma once
// What the command line asks for, parsed but not yet acted on.
#include "dxt/encoder_choice.h"
#include "platform/outcome.h"

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::cli {

struct MakeOptions {
    std::optional<std::filesystem::path> picture;  // none: the built-in default picture
    int side_pixels = 0;                           // one of kBackgroundSides
    std::filesystem::path out;                     // folder for the textures and materials; or
    std::string game;                              // "auto", or the game's program file or folder
    bool only_standard = false;                    // background01 alone, without the widescreen pair
    std::optional<dxt::Encoder> encoder;           // none: the library's default
};

struct InspectOptions {
    std::filesystem::path file;
};

struct Command {
    enum Kind { Help, Version, Make, Inspect, Where } kind = Help;
    MakeOptions make;
    InspectOptions inspect;
};

// The command argv asks for (UTF-8 on every system), or what is wrong with the command line.
Result<Command> parse_command_line(int argc, char** argv);

// The text --help prints.
std::string usage();

}  // namespace morvane::cli
