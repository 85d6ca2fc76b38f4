#pragma once
// The program's strings are UTF-8; the system's wide functions take UTF-16. Invalid UTF-8 comes through as
// U+FFFD rather than being dropped, so a message still shows the rest of a name.
#include <string>
#include <string_view>

namespace morvane {

std::wstring wide_from_utf8(std::string_view utf8);
std::string utf8_from_wide(std::wstring_view wide);

}  // namespace morvane
