#pragma once
// Where the game's engine looks for a file, in its own order, read from cstrike/gameinfo.txt: its
// "SearchPaths" lines ("game+mod  cstrike/custom/*"), each a set of path ids joined by "+" and a place that may
// start with |gameinfo_path| (the folder of gameinfo.txt) or |all_source_engine_paths| (the game's folder, as
// every other relative place). A place ending in a wildcard stands for every folder and VPK it matches, sorted
// by name without regard to case; the engine takes the first copy of a file that it finds. Today's game reads
// cstrike/custom/* first, its VPKs next and the loose cstrike folder last; copies from before 2013 read the
// loose folder first.
#include "platform/outcome.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::app {

struct SearchPathLine {
    std::string path_ids;  // "game+mod"
    std::string place;     // as written: "cstrike/custom/*", "|gameinfo_path|.", ...
};

// GameInfo > FileSystem > SearchPaths, in the file's order; refused when the text is not a key-value file.
// A file without that block has no lines.
Result<std::vector<SearchPathLine>> search_path_lines(std::string_view gameinfo_text);

// `path_ids` names `id` (any case, spaces around each id ignored).
bool has_path_id(std::string_view path_ids, std::string_view id);

struct SearchPlace {
    std::filesystem::path path;  // a folder, or a VPK's directory file
    bool vpk = false;
    bool from_wildcard = false;  // one of the entries a "*" line found: a player's pack in custom/
};

struct GameSearch {
    std::vector<SearchPlace> places;     // where files of the "game" id are looked for, first first
    std::filesystem::path console_folder;  // where Morvane's textures and materials go for this game
    std::string note;                    // why gameinfo.txt was not used, or what keeps the game from starting
};

inline constexpr const char* kOwnPackName = "morvane";

// The engine's order for a game folder (the one holding cstrike/). Where cstrike/custom/* comes before both
// the first VPK and the loose cstrike folder, the console folder is cstrike/custom/morvane/materials/console;
// otherwise, and where gameinfo.txt is missing, unreadable or without search paths, it is
// cstrike/materials/console and the loose cstrike folder is the one place looked in.
GameSearch game_search(const std::filesystem::path& game_folder);

}  // namespace morvane::app
