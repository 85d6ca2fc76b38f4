#pragma once
// The game that `--game` names, and the installations Steam knows of.
#include "app/core/game_search.h"
#include "platform/outcome.h"

#include <filesystem>
#include <string>

namespace morvane::cli {

// The game folder for `--game`: "auto" asks Steam and needs exactly one installation; a program file
// (cstrike.sh, cstrike.exe, hl2.exe, ...) gives the folder holding it; a folder is taken as it is. The folder
// must be the game's (game_folder.h). A failure says why and what to give instead.
Result<std::filesystem::path> game_folder_for(const std::string& argument);

// One indented line for each background: the file the game opens for it, from its next start.
void print_backgrounds_seen(const app::GameSearch& search, const std::filesystem::path& game);

// `where`: the console folder of every installation, one per line, each followed by the backgrounds' lines;
// 1 when there is none.
int run_where();

}  // namespace morvane::cli
