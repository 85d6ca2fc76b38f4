#pragma once
// The game that `--game` names, and the installations Steam knows of.
#include "platform/outcome.h"

#include <filesystem>
#include <string>

namespace morvane::cli {

// The game folder for `--game`: "auto" asks Steam and needs exactly one installation; a program file
// (hl2.exe, hl2_linux, hl2.sh, ...) gives the folder holding it; a folder is taken as it is. The folder must
// hold cstrike/materials. A failure says why and what to give instead.
Result<std::filesystem::path> game_folder_for(const std::string& argument);

// `where`: the console folder of every installation, one per line; 1 when there is none.
int run_where();

}  // namespace morvane::cli
