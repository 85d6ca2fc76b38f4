#include "app/core/material_file.h"

#include "platform/file_replace.h"

namespace morvanemod {

namespace fs = std::filesystem;

const char* const kMaterialText =
    "\"UnlitGeneric\"\r\n"
    "{\r\n"
    "\t\"$basetexture\" \"console/background01\"\r\n"
    "\t\"$vertexcolor\" 1\r\n"
    "\t\"$no_fullbright\" 1\r\n"
    "\t\"$ignorez\" 1\r\n"
    "}\r\n";

FileResult write_vmt(const fs::path& console_path) {
    const fs::path path = console_path / "background01.vmt";
    // Written completely beside its final name first; a material already there is never overwritten or changed.
    const std::string reason = morvane::replace_file(path, kMaterialText, morvane::IfPresent::Keep);
    if (reason.empty()) return {true, {}};
    return {false, "Could not write the material file \"" + path.string() + "\": " + reason +
                       ". Check that the folder exists and is writable."};
}

}  // namespace morvanemod
