#pragma once
// What `morvane` was started with: nothing, one picture to open (as a file manager's "Open With" passes
// it), or a request for its version or usage.
#include "platform/outcome.h"

#include <span>
#include <string>
#include <string_view>

namespace morvane::app {

struct ProgramArguments {
    enum Kind { Run, Version, Help } kind = Run;
    std::string picture;  // Run: the picture to load once the game is located; "" for none
};

// The arguments after the program's name, once the windowing layer has taken its own; or what is wrong with
// them.
Result<ProgramArguments> parse_program_arguments(std::span<const std::string_view> arguments);

extern const char* const kProgramUsage;

}  // namespace morvane::app
