#pragma once
// config.dat in its folder (beside the program, or the user's settings folder: settings_location.h): the one
// remembered setting, the game's console materials folder.
// One line followed by CR LF. The text is UTF-8 where the system's paths are; on Windows it is the ANSI
// code page while the path fits in it, and UTF-8 with a byte-order mark when it does not, so a path is
// never stored wrongly and reading tells the two apart.
#include "platform/outcome.h"

#include <filesystem>
#include <string>

namespace morvane::app {

inline constexpr const char* kConfigFileName = "config.dat";

std::filesystem::path config_file(const std::filesystem::path& program_folder);

// The stored console folder (UTF-8); a failure says why there is none: config.dat is missing, empty, cannot be
// read or holds a control byte, and every one of those means "not located yet". A relative folder (only a
// hand-edited file has one) is taken against program_folder, the folder that holds config.dat, not against the
// current directory.
Result<std::string> read_config(const std::filesystem::path& program_folder);

// Replaces config.dat with console_path + CR LF. The old file stays intact until the new one is complete.
Outcome write_config(const std::filesystem::path& program_folder, const std::string& console_path);

// The bytes write_config stores for a path, and the path read_config finds in such bytes.
std::string encode_config_line(const std::string& console_path);
std::string decode_config_text(const std::string& file_bytes);

}  // namespace morvane::app
