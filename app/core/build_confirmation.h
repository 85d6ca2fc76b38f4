#pragma once
// What the main window says after a build that wrote its files: that the background was made, at which
// size, which files and in which folder, and whether the game will show them. One line each, so the window can shorten a long folder on its own.
#include <filesystem>
#include <string>
#include <vector>

namespace morvane::app {

// "Background made (1024 x 1024):", the names of the written files joined by ", ", then "in " and the folder.
// Where the game's own lookup found every written texture first (`seen_by_game`), the first line says that
// the game shows it from its next start instead.
std::string build_confirmation(int size_pixels, const std::string& console_folder,
                               const std::vector<std::filesystem::path>& written_files, bool seen_by_game);

}  // namespace morvane::app
