#include "app/forms/game_location.h"

#include "app/core/game_folder.h"
#include "app/core/game_search.h"
#include "app/core/material_file.h"
#include "app/core/settings_file.h"
#include "app/core/steam_library.h"
#include "app/core/utf8_path.h"
#include "platform/system/file_dialog.h"
#include "platform/system/message_box.h"

#include <optional>
#include <system_error>

namespace morvane::app {

namespace fs = std::filesystem;

namespace {

LocateResult ended(const GameLocation& with, const std::string& message) {
    with.messages->show(message);
    return {};
}

// Where the dialog opens: the first game folder Steam knows of; the file name itself stays empty, so that the
// player chooses.
std::string dialog_folder(const GameLocation& with) {
    if (!with.find_games) return {};
    const std::vector<std::string> games = with.find_games();
    return games.empty() ? std::string() : games.front();
}

// The new console folder's materials, both screen shapes. On a failure the files written so far and the
// folder go again, so that the next start makes all of them anew.
Outcome write_new_materials(const GameLocation& with, const std::string& console_path) {
    std::vector<std::filesystem::path> made;
    for (const ConsoleBackground& background : kBothBackgrounds) {
        Outcome vmt = with.write_vmt(console_path, background);
        if (vmt.ok) {
            made.push_back(path_from_utf8(console_path) / background.material_file);
            continue;
        }
        std::error_code ignored;
        for (const auto& file : made) std::filesystem::remove(file, ignored);
        std::filesystem::remove(path_from_utf8(console_path), ignored);
        return vmt;
    }
    return Outcome::done();
}

// The console folder with its materials where it is new; a folder already there is taken as it is.
Outcome set_up_console_folder(const GameLocation& with, const std::string& console_path) {
    if (folder_exists(console_path)) return Outcome::done();
    if (const Outcome made = create_console_folder(console_path); !made.ok) return made;
    return write_new_materials(with, console_path);
}

void save(const GameLocation& with, const std::string& console_path, const std::string& unless_saved) {
    const auto saved = write_config(with.program_folder, console_path);
    if (!saved.ok) with.messages->show(saved.error + "\n" + unless_saved);
}

// A config.dat written before the game read cstrike/custom/ first names the loose console folder, which the
// game no longer shows: the textures follow the game into its custom folder. The old folder and its files stay.
std::string followed(const GameLocation& with, const std::string& stored) {
    const std::optional<fs::path> game = game_of_console_folder(path_from_utf8(stored));
    if (!game || !is_game_folder(*game)) return stored;  // a folder the player chose by hand stays theirs
    const fs::path target = game_search(*game).console_folder;
    if (same_folder(target, path_from_utf8(stored))) return stored;
    const std::string moved = utf8_from_path(target);
    if (const Outcome made = set_up_console_folder(with, moved); !made.ok) {
        with.messages->show(made.error + "\nMorvane writes into " + stored +
                            " until that folder can be made, and the game does not show what it writes there.");
        return stored;
    }
    save(with, moved, "Morvane writes into the new folder now, but will move there again next time.");
    return moved;
}

}  // namespace

Outcome write_material(const std::string& console_path, const ConsoleBackground& background) {
    return write_material(path_from_utf8(console_path), background);
}

std::vector<std::string> game_folders_through_steam() {
    std::vector<std::string> folders;
    for (const auto& game : find_counter_strike_source(this_computer()).game_folders)
        folders.push_back(utf8_from_path(game));
    return folders;
}

LocateResult locate_game(const GameLocation& with) {
    const std::string stored = read_config(with.program_folder).value;
    // A config.dat naming a file rather than a folder is as good as none: the build could not write there.
    if (folder_exists(stored)) return {true, followed(with, stored)};

    with.dialog->file_name = "";
    with.dialog->folder = dialog_folder(with);
    with.dialog->title = kLocateTitle;
    with.dialog->filter = kLocateFilter;
    with.dialog->show_open();
    const std::string program = with.dialog->file_name;
    if (program.empty()) return ended(with, kNoGameProgram);

    const fs::path game = game_folder_of_program(program);
    if (!is_game_folder(game)) return ended(with, kNoMaterialsFolder);

    const std::string console_path = utf8_from_path(game_search(game).console_folder);
    if (const Outcome ready = set_up_console_folder(with, console_path); !ready.ok) {
        // The message names the folder or file and the reason; this adds only what to do next.
        return ended(with, ready.error + "\nCheck that the game folder can be written to, then start Morvane again. Quitting...");
    }
    save(with, console_path, "Morvane works with this game folder now, but will ask for the game's program again next "
                             "time unless that folder can be written to.");
    return {true, console_path};
}

}  // namespace morvane::app
