#pragma once
// The first activation's search for the game: config.dat, and when the folder it names is gone, the
// hl2.exe dialog (opened in the game folder Steam knows of, if any), the folder checks, the console folder
// with its material files, and config.dat again.
#include "app/core/console_files.h"
#include "platform/outcome.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace morvane {
class FileDialog;
class MessageBox;
}

namespace morvane::app {

inline constexpr const char* kLocateTitle = "Locate Your hl2.exe file.";
// Windows has hl2.exe alone; elsewhere the game's own program sits beside hl2.exe (which Proton runs).
#if defined(_WIN32)
inline constexpr const char* kLocateFilter = "hl2.exe (hl2.exe)|hl2.exe";
#elif defined(__APPLE__)
inline constexpr const char* kLocateFilter = "The game's program (hl2_osx hl2.sh hl2.exe)|hl2_osx;hl2.sh;hl2.exe";
#else
inline constexpr const char* kLocateFilter = "The game's program (hl2_linux hl2.sh hl2.exe)|hl2_linux;hl2.sh;hl2.exe";
#endif
inline constexpr const char* kNoGameProgram = "Cant locate hl2.exe file. Quitting...";
inline constexpr const char* kNoMaterialsFolder = "Cant locate cstrike\\materials\\ folder. Quitting...";

// The program's own material writer for write_vmt: the background's .vmt on disk, through the core module.
Outcome write_material(const std::string& console_path, const ConsoleBackground& background);

// The game folders (UTF-8) that Steam records on this computer, first the one the dialog is to open in.
std::vector<std::string> game_folders_through_steam();

using MaterialWriter =
    std::function<Outcome(const std::string& console_path, const ConsoleBackground& background)>;

struct GameLocation {
    std::filesystem::path program_folder;  // where config.dat lives
    FileDialog* dialog = nullptr;
    MessageBox* messages = nullptr;
    // Writes a background's .vmt into a console folder (UTF-8 path) unless it is there already.
    MaterialWriter write_vmt;
    // Where the game is installed, as far as Steam knows; none when empty or not set.
    std::function<std::vector<std::string>()> find_games;
};

struct LocateResult {
    bool located = false;       // false: a message was shown and the program is to end
    std::string console_path;   // UTF-8, the console materials folder
};

// read_config, then, when the stored folder does not exist, the dialog and the checks. Every failure has
// been shown to the user when this returns with located == false.
LocateResult locate_game(const GameLocation& with);

}  // namespace morvane::app
