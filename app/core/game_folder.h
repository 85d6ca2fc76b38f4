#pragma once
// The game's folder (the one that holds its program and cstrike/) and Morvane's console folder in it. Strings
// are UTF-8.
#include "platform/outcome.h"

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::app {

// The folder holding the program the player chose, whatever its name (cstrike.exe, cstrike_win64.exe,
// cstrike.sh, cstrike_linux64, hl2.exe, ...); empty for a name without a folder.
std::filesystem::path game_folder_of_program(const std::string& program_file);

// Today's game has cstrike/gameinfo.txt (and often no loose cstrike/materials); old copies have
// cstrike/materials. Either makes a folder the game's.
bool is_game_folder(const std::filesystem::path& game);
// What a folder lacks that is not the game's, to follow its name in a message.
std::string not_a_game_folder_reason();

// The game folder whose console folder `console` is, when it is one that Morvane chooses
// (GAME/cstrike/materials/console, GAME/cstrike/custom/morvane/materials/console).
std::optional<std::filesystem::path> game_of_console_folder(const std::filesystem::path& console);

// The same folder, however it is written (Windows' names ignore case).
bool same_folder(const std::filesystem::path& a, const std::filesystem::path& b);

// A file or a folder of that name exists.
bool path_exists(const std::string& path);
// A folder of that name exists (a file of that name does not count).
bool folder_exists(const std::string& path);

// Makes the console folder with any folder above it that is missing.
Outcome create_console_folder(const std::string& console_path);

}  // namespace morvane::app
