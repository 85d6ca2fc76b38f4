#pragma once
// Where the game keeps its console materials, worked out from the chosen hl2.exe. Strings are UTF-8 and
// joined with the system's own separator ("\" on Windows, "/" elsewhere).
#include <string>

namespace morvanemod {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The chosen file name without its last 8 characters (a separator and "hl2.exe"), counted in characters,
// not bytes; "" when the name is shorter.
std::string game_folder_from_exe(const std::string& exe_file);

std::string materials_folder(const std::string& game_folder);  // game + "\cstrike\materials"
std::string console_folder(const std::string& game_folder);    // game + "\cstrike\materials\console"

// The file names beside the console folder.
std::string texture_file(const std::string& console_path);   // console_path + "\background01.vtf"

// A file or a folder of that name exists.
bool path_exists(const std::string& path);
// A folder of that name exists (a file of that name does not count).
bool folder_exists(const std::string& path);

}  // namespace morvanemod
