#pragma once
// What `morvane` was started with: nothing, one picture to open (as a file manager's "Open With" passes
// it), or a request for its version or usage.
#include <span>
#include <string>
#include <string_view>

namespace morvane::app {

struct ProgramArguments {
    enum Kind { Run, Version, Help, Wrong } kind = Run;
    std::string picture;  // Run: the picture to load once the game is located; "" for none
    std::string problem;  // Wrong: what is wrong with the arguments
};

// The arguments after the program's name, once the windowing layer has taken its own.
ProgramArguments parse_program_arguments(std::span<const std::string_view> arguments);

extern const char* const kProgramUsage;

}  // namespace morvane::app
