#pragma once
// Writing a file a user cares about only once its successor is complete: the bytes go to a new temporary
// file in the same folder, reach the disk, and only then take the final name. On any failure the old file
// stays as it was and the temporary file is removed.
#include "platform/outcome.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace morvane {

enum class IfPresent {
    Replace,  // an earlier file of that name is replaced (unless its owner made it read-only)
    Keep,     // an earlier file is never touched, not even one that appears while the new one is written
};

// Writes the pieces one after another as `target`. Done also when Keep found a file there already; a failure
// says why, e.g. "No such file or directory", for the caller to put after the file's name (only the caller
// knows what the file is to the player). A read-only file is refused, as Windows refuses to replace it too.
//
// The file is kept as the player keeps it: a replaced file keeps its mode and, where this user may give them,
// its owner and group. A symbolic link stays a link and the file it leads to is replaced (beside that file);
// a link that leads nowhere, or to itself, is refused. A file with further hard links gets a new file under
// this name only: the other names keep the old bytes, because writing into the shared file in place would
// leave a half-written texture under every name when the write is cut off.
//
// The temporary file has a fresh unique name (target's name + ".XXXXXXXX.tmp", locked by its writer until it
// has taken the final name; such leftovers of an earlier write that was killed are removed first, once no
// writer holds them, and an empty one once it is a minute old), or with `fixed_suffix` the target's name plus that suffix (a
// leftover of that name is reused; for a file one program writes at a time).
Outcome replace_file(const std::filesystem::path& target, std::span<const std::span<const uint8_t>> pieces,
                     IfPresent if_present = IfPresent::Replace, std::string_view fixed_suffix = {});

inline Outcome replace_file(const std::filesystem::path& target, std::string_view text,
                            IfPresent if_present = IfPresent::Replace, std::string_view fixed_suffix = {}) {
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return replace_file(target, {&bytes, 1}, if_present, fixed_suffix);
}

}  // namespace morvane
