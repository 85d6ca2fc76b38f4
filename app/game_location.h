#pragma once
// The first activation's search for the game: config.dat, and when the folder it names is gone, the
// hl2.exe dialog, the folder checks, the console folder with its material file, and config.dat again.
#include <filesystem>
#include <functional>
#include <string>

namespace morvane {
class FileDialog;
class MessageBox;
}

namespace morvane_ui {

inline constexpr const char* kLocateTitle = "Locate Your hl2.exe file.";
inline constexpr const char* kLocateFilter = "hl2.exe (hl2.exe)|hl2.exe";
inline constexpr const char* kNoGameProgram = "Cant locate hl2.exe file. Quitting...";
inline constexpr const char* kNoMaterialsFolder = "Cant locate cstrike\\materials\\ folder. Quitting...";

struct MaterialWriteResult {
    bool ok = false;
    std::string error;  // names the file and the reason
};

struct GameLocation {
    std::filesystem::path program_folder;  // where config.dat lives
    morvane::FileDialog* dialog = nullptr;
    morvane::MessageBox* messages = nullptr;
    // Writes background01.vmt into a console folder (UTF-8 path) unless it is there already.
    std::function<MaterialWriteResult(const std::string& console_path)> write_vmt;
};

struct LocateResult {
    bool located = false;       // false: a message was shown and the program is to end
    std::string console_path;   // UTF-8, the console materials folder
};

// read_config, then, when the stored folder does not exist, the dialog and the checks. Every failure has
// been shown to the user when this returns with located == false.
LocateResult locate_game(const GameLocation& with);

}  // namespace morvane_ui
