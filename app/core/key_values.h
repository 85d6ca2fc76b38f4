#pragma once
// Valve's text key-value files (libraryfolders.vdf, appmanifest_*.acf): keys with either a text value or a
// { } block of further keys. Tokens are "quoted" (with the escapes \\ \" \n \t) or bare; // starts a comment
// that runs to the line's end. Keys are compared without regard to ASCII case.
#include "platform/outcome.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::app {

struct KeyValue {
    std::string key;
    std::string value;              // the text, for a key that has one
    std::vector<KeyValue> children; // the block's keys in file order, for a key that has a block
    bool is_block = false;

    // The first child of that key (any case), or nullptr.
    const KeyValue* find(std::string_view child_key) const;
    // The text of the first child of that key that has a text, or "" when there is none.
    std::string_view text_of(std::string_view child_key) const;
};

// A block holding the file's top-level keys; or where and what is wrong, e.g. "line 7: the file ends inside a
// { } block".
using KeyValuesResult = Result<KeyValue>;

// Which keys a reader needs, by their depth (1 for the file's top-level keys) and name: the others are read
// and checked but not kept, so that a file of a hundred thousand Steam libraries holds only their paths.
using KeepKey = bool (*)(int depth, std::string_view key);
inline bool keep_every_key(int, std::string_view) { return true; }

// Reads the whole text. Never throws and reads nothing outside `text`; any fault is a failure. The keys
// kept take at most a few times the text's size: a text of more keys than that ("a{}" over and over) is
// refused, as no file Steam writes is like it.
KeyValuesResult parse_key_values(std::string_view text, KeepKey keep = keep_every_key);

// The same, read from a file: only an ordinary file of at most a few megabytes (Steam's and the game's are a
// few kilobytes); a missing file, a folder, a pipe, a loop of links or a huge file is refused, saying which.
KeyValuesResult read_key_values(const std::filesystem::path& file, KeepKey keep = keep_every_key);

// `text` with every control byte and every byte of a broken UTF-8 sequence shown as \xNN (a NUL as \x00),
// for a message that is printed whole and cannot move the terminal's cursor.
std::string visible(std::string_view text);

bool same_key(std::string_view a, std::string_view b);  // ASCII letters compared without case
std::string ascii_lower(std::string_view text);          // the game's own names compare so

}  // namespace morvane::app
