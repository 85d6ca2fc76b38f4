#pragma once
// "It worked, or here is why", for an operation that can fail and has nothing else to hand back (writing the
// texture, the material files, config.dat). The message is composed once, where the failure is known: what
// happened, to which file, and what the user can do. Callers pass it on as it is and add only what they
// alone know, never a second sentence about the same file.
#include <string>
#include <utility>

namespace morvane {

struct [[nodiscard]] Outcome {
    bool ok = false;
    std::string error;  // empty when ok

    static Outcome done() { return {true, {}}; }
    static Outcome failed(std::string error) { return {false, std::move(error)}; }
};

}  // namespace morvane
