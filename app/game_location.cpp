#include "app/game_location.h"

#include "app/core/game_folder.h"
#include "app/core/material_file.h"
#include "app/core/settings_file.h"
#include "app/core/utf8_path.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"

#include <system_error>

namespace morvane_ui {

namespace {

LocateResult ended(const GameLocation& with, const std::string& message) {
    with.messages->show(message);
    return {};
}

// Makes the one missing folder level. Empty when it worked, else the reason.
std::string create_console_folder(const std::string& console_path) {
    std::error_code ec;
    if (std::filesystem::create_directory(morvanemod::path_from_utf8(console_path), ec) && !ec) return {};
    return ec ? ec.message() : std::string("it could not be created");
}

}  // namespace

MaterialWriteResult write_material(const std::string& console_path) {
    const auto written = morvanemod::write_vmt(morvanemod::path_from_utf8(console_path));
    return MaterialWriteResult{written.ok, written.error};
}

LocateResult locate_game(const GameLocation& with) {
    const std::string stored = morvanemod::read_config(with.program_folder);
    // A config.dat naming a file rather than a folder is as good as none: the build could not write there.
    if (morvanemod::folder_exists(stored)) return {true, stored};

    with.dialog->file_name = "";
    with.dialog->title = kLocateTitle;
    with.dialog->filter = kLocateFilter;
    with.dialog->show_open();
    const std::string exe = with.dialog->file_name;
    if (exe.empty()) return ended(with, kNoGameProgram);

    const std::string game = morvanemod::game_folder_from_exe(exe);
    if (!morvanemod::path_exists(morvanemod::materials_folder(game))) return ended(with, kNoMaterialsFolder);

    const std::string console_path = morvanemod::console_folder(game);
    if (!morvanemod::folder_exists(console_path)) {
        const std::string why = create_console_folder(console_path);
        if (!why.empty()) {
            return ended(with, "Could not create the folder " + console_path + ": " + why +
                                   ".\nCheck that the game folder can be written to, then start Morvane again. Quitting...");
        }
        const MaterialWriteResult vmt = with.write_vmt(console_path);
        if (!vmt.ok) {
            // Leave no half-made folder behind: the next start then makes it and its material file again.
            std::error_code ignored;
            std::filesystem::remove(morvanemod::path_from_utf8(console_path), ignored);
            return ended(with, "Could not write the material file: " + vmt.error +
                                   "\nCheck that the game folder can be written to, then start Morvane again. Quitting...");
        }
    }

    const auto saved = morvanemod::write_config(with.program_folder, console_path);
    if (!saved.ok) {
        with.messages->show(saved.error + "\nMorvane works with this game folder now, but will ask for hl2.exe "
                                          "again next time unless its own folder can be written to.");
    }
    return {true, console_path};
}

}  // namespace morvane_ui
