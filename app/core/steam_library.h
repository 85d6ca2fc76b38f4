#pragma once
// Finding Counter-Strike: Source (Steam app 240) the way Steam records it: Steam's folder, its libraries
// (steamapps/libraryfolders.vdf), and in each library steamapps/appmanifest_240.acf, whose "installdir"
// names the game's folder under steamapps/common. The home folder, the environment and the registry are
// handed in, so that the search can run on a made-up home folder.
#include "app/core/key_values.h"
#include "app/core/registry_reader.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace morvane::app {

inline constexpr const char* kGameName = "Counter-Strike: Source";
inline constexpr const char* kGameAppId = "240";

struct SteamSurroundings {
    std::filesystem::path home;                                   // the user's home folder; "" when unknown
    std::function<std::string(const char* name)> environment;     // a variable's value, "" when unset
    std::shared_ptr<const RegistryReader> registry;               // Windows only
};

// This computer: $HOME, the process environment and, on Windows, the registry.
SteamSurroundings this_computer();

// Where Steam may be installed, most likely first, before anything is checked.
std::vector<std::filesystem::path> windows_steam_candidates(const RegistryReader& registry);
std::vector<std::filesystem::path> linux_steam_candidates(const std::filesystem::path& home,
                                                          const std::function<std::string(const char*)>& environment);
std::vector<std::filesystem::path> mac_steam_candidates(const std::filesystem::path& home);

// The candidates of this system that exist, each folder once even when several names lead to it.
std::vector<std::filesystem::path> steam_folders(const SteamSurroundings& around);

// The library folders that a libraryfolders.vdf names, in its order: the current shape ("libraryfolders"
// with numbered blocks holding "path") and the older one ("LibraryFolders" with numbered keys whose values
// are paths). Refused when the text is neither.
Result<std::vector<std::filesystem::path>> library_paths(const KeyValue& file);

// The folder name an appmanifest gives in "installdir"; refused when it gives none that is a plain folder name.
Result<std::string> install_dir(const KeyValue& manifest);

struct SteamSearch {
    std::vector<std::filesystem::path> game_folders;  // each the game's (is_game_folder); Steam's order, each once
    std::vector<std::string> notes;                   // what was looked at and gave nothing, and why
};

SteamSearch find_counter_strike_source(const SteamSurroundings& around);

}  // namespace morvane::app
