#pragma once
// The material file that names the console background texture for the game: background01.vmt, written
// once beside background01.vtf and never changed afterwards.
#include <filesystem>
#include <string>

namespace morvanemod {

struct FileResult {
    bool ok = false;
    std::string error;  // what happened, to which file, and what to do
};

// The file's exact 117 bytes: seven lines with CR LF ends, keys indented by one TAB.
extern const char* const kMaterialText;

// Writes console_path/background01.vmt when no file of that name exists; an existing one is left as it
// is (and counts as success). The file is written completely or not at all.
FileResult write_vmt(const std::filesystem::path& console_path);

}  // namespace morvanemod
