#include "app/core/material_file.h"

#include "app/core/utf8_path.h"
#include "platform/files/file_replace.h"

namespace morvane::app {

namespace fs = std::filesystem;

std::string material_text(std::string_view game_texture) {
    return "\"UnlitGeneric\"\r\n"
           "{\r\n"
           "\t\"$basetexture\" \"" + std::string(game_texture) + "\"\r\n"
           "\t\"$vertexcolor\" 1\r\n"
           "\t\"$no_fullbright\" 1\r\n"
           "\t\"$ignorez\" 1\r\n"
           "}\r\n";
}

Outcome write_material(const fs::path& console_path, const ConsoleBackground& background) {
    const fs::path path = console_path / background.material_file;
    // Written completely beside its final name first; a material already there is never overwritten or changed.
    const Outcome written = replace_file(path, material_text(background.game_texture), IfPresent::Keep);
    if (written.ok) return written;
    return Outcome::failed("Could not write the material file \"" + shown_in_message(utf8_from_path(path)) + "\": " + written.error +
                           ". Check that the folder exists and is writable.");
}

}  // namespace morvane::app
