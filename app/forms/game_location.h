#pragma once
// The first activation's search for the game: config.dat, and when the folder it names is gone, the dialog
// for the game's program (opened in the game folder Steam knows of, if any), the folder checks, the console
// folder where the game reads it first (game_search.h) with its material files, and config.dat again. A
// config.dat from before today's layout was known follows the game into its custom folder.
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

// Today's game is started by cstrike.exe or cstrike_win64.exe on Windows and cstrike.sh (which runs
// cstrike_linux64) on Linux; copies from before its 64-bit update by hl2.exe, hl2.sh or hl2_linux. Linux also
// offers the Windows names, which Proton runs.
#if defined(_WIN32)
inline constexpr const char* kLocateTitle = "Locate Your cstrike.exe or hl2.exe file.";
inline constexpr const char* kLocateFilter =
    "The game's program (cstrike.exe cstrike_win64.exe hl2.exe)|cstrike.exe;cstrike_win64.exe;hl2.exe";
inline constexpr const char* kNoGameProgram = "Cant locate cstrike.exe or hl2.exe file. Quitting...";
inline constexpr const char* kNoMaterialsFolder = "Cant locate cstrike\\materials\\ folder. Quitting...";
#else
inline constexpr const char* kLocateTitle = "Locate Your cstrike.sh or hl2.sh file.";
inline constexpr const char* kLocateFilter =
    "The game's program (cstrike.sh cstrike_linux64 hl2.sh hl2_linux cstrike.exe cstrike_win64.exe hl2.exe)"
    "|cstrike.sh;cstrike_linux64;hl2.sh;hl2_linux;cstrike.exe;cstrike_win64.exe;hl2.exe";
inline constexpr const char* kNoGameProgram = "Cant locate cstrike.sh or hl2.sh file. Quitting...";
inline constexpr const char* kNoMaterialsFolder = "Cant locate cstrike/materials/ folder. Quitting...";
#endif

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
