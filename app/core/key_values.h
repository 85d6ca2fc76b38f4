#pragma once
// Valve's text key-value files (libraryfolders.vdf, appmanifest_*.acf): keys with either a text value or a
// { } block of further keys. Tokens are "quoted" (with the escapes \\ \" \n \t) or bare; // starts a comment
// that runs to the line's end. Keys are compared without regard to ASCII case.
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

struct KeyValuesResult {
    bool ok = false;
    KeyValue root;      // a block holding the file's top-level keys
    std::string error;  // where and what, e.g. "line 7: the file ends inside a { } block"
};

// Reads the whole text. Never throws and reads nothing outside `text`; any fault gives ok == false.
KeyValuesResult parse_key_values(std::string_view text);

bool same_key(std::string_view a, std::string_view b);  // ASCII letters compared without case

}  // namespace morvane::app
