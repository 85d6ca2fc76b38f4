#pragma once
// Where the game keeps its console materials, worked out from the chosen hl2.exe. Strings are UTF-8 and
// joined with the system's own separator ("\" on Windows, "/" elsewhere).
#include "platform/outcome.h"

#include <string>

namespace morvane::app {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The chosen file name without its last 8 characters (a separator and "hl2.exe", in any case), counted in
// characters, not bytes; "" when the name is shorter. On Windows forward slashes become backslashes.
std::string game_folder_from_exe(const std::string& exe_file);

// The game folder of the program the player chose: on Windows game_folder_from_exe; elsewhere, where the
// program has other names too (hl2_linux, hl2.sh, hl2_osx, hl2.exe under Proton), the folder holding it.
std::string game_folder_from_program(const std::string& program_file);

// A game folder that ends in a separator (a drive's root, or typed with one) gets no second one.
std::string materials_folder(const std::string& game_folder);  // game + "\cstrike\materials"
std::string console_folder(const std::string& game_folder);    // game + "\cstrike\materials\console"

// A file or a folder of that name exists.
bool path_exists(const std::string& path);
// A folder of that name exists (a file of that name does not count).
bool folder_exists(const std::string& path);

// Makes the console folder, one level (its parent is the materials folder).
Outcome create_console_folder(const std::string& console_path);

}  // namespace morvane::app
