#pragma once
// Which file the game opens for each console background, found in the engine's order (game_search.h): the
// proof that a build will be seen, or which other file wins and what the player can do about it. The engine
// scans cstrike/custom/ once, when it starts: what is found here holds from the game's next start.
#include "app/core/console_files.h"
#include "app/core/game_search.h"

#include <filesystem>
#include <string>
#include <vector>

namespace morvane::app {

struct BackgroundSeen {
    ConsoleBackground background;
    SearchPlace place;             // the folder or VPK that holds the file opened; an empty path when none does
    std::filesystem::path file;    // the loose file opened; empty when it is in a VPK or nowhere
    bool ours = false;             // it is the texture in Morvane's console folder
};

// The texture each background names, as the game opens it, for both screen shapes.
std::vector<BackgroundSeen> backgrounds_seen(const GameSearch& search, const std::filesystem::path& console_folder);

bool all_ours(const std::vector<BackgroundSeen>& seen);

// "console/background01: Morvane's cstrike/custom/morvane/materials/console/background01.vtf", or the file that
// wins instead and what to do about it. Paths inside the game folder are given from it.
std::string seen_line(const BackgroundSeen& seen, const std::filesystem::path& game_folder);

}  // namespace morvane::app
