#pragma once
// The material files that name the console background textures for the game: background01.vmt (and its
// widescreen twin), written once beside their textures and never changed afterwards.
#include "app/core/console_files.h"
#include "platform/outcome.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace morvane::app {

// The file's exact bytes: seven lines with CR LF ends, keys indented by one TAB; 117 bytes for
// "console/background01".
std::string material_text(std::string_view game_texture);

// Writes the background's material into console_path when no file of that name exists; an existing one is
// left as it is (and counts as success). The file is written completely or not at all.
Outcome write_material(const std::filesystem::path& console_path, const ConsoleBackground& background);

// background01.vmt.
inline Outcome write_vmt(const std::filesystem::path& console_path) {
    return write_material(console_path, kStandardBackground);
}

}  // namespace morvane::app
