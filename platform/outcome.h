#pragma once
// The one way every operation that can fail says so: "it worked, or here is why". The message is composed
// where the failure is known: what happened, to which file, and what the user can do. Callers pass it on as it
// is and add only what they alone know, never a second sentence about the same thing. Nothing the program
// expects to go wrong is thrown; an exception is left for what cannot be foreseen (no memory at all).
//
//   Outcome written = write_settings(...);          // nothing to hand back
//   Result<Image32> loaded = load_picture(path);    // a value when it worked
//   if (!loaded.ok) return Outcome::failed("Loading: " + loaded.error);
#include <cstddef>
#include <string>
#include <utility>

namespace morvane {

struct [[nodiscard]] Outcome {
    bool ok = false;
    std::string error;  // empty when ok; never empty when not

    static Outcome done() { return {true, {}}; }
    static Outcome failed(std::string error) {
        return {false, error.empty() ? std::string("An unknown error occurred.") : std::move(error)};
    }
};

// A name as a message shows it: whole up to a few hundred characters; past that its beginning and its end
// around "...", whole UTF-8 characters, so that a message stays a line (a 16 MB path is no message).
inline std::string shown_in_message(const std::string& name, std::size_t most = 300) {
    if (name.size() <= most) return name;
    std::size_t head = most / 2, tail = name.size() - most / 2;
    while (head > 0 && (static_cast<unsigned char>(name[head]) & 0xC0) == 0x80) --head;
    while (tail < name.size() && (static_cast<unsigned char>(name[tail]) & 0xC0) == 0x80) ++tail;
    return name.substr(0, head) + "..." + name.substr(tail);
}

// An outcome that hands back a value when it worked; `value` is its type's empty value when it did not.
template <class T>
struct [[nodiscard]] Result : Outcome {
    T value{};

    static Result made(T value) { return Result{Outcome::done(), std::move(value)}; }
    static Result failed(std::string error) { return Result{Outcome::failed(std::move(error)), T{}}; }
    // Passes on a failure of another step as this operation's own.
    static Result failed(const Outcome& other) { return failed(other.error); }
};

}  // namespace morvane
