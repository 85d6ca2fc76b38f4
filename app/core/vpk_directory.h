#pragma once
// The names a VPK archive holds, read from its directory file (NAME_dir.vpk, or a single-file NAME.vpk), to
// tell which copy of a file the game opens. Only the header and the directory tree are read; the archive is
// never written. Versions 1 and 2: a 12- or 28-byte header (signature 0x55AA1234, version, tree size), then the
// tree: extension, path, file name as NUL-ended strings nested in that order, each list ended by an empty
// string, each file followed by an 18-byte entry ending in 0xFFFF and its preload bytes.
#include "platform/outcome.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::app {

// The files of one archive, as the game names them ("materials/console/background01.vtf"), in lower case.
struct VpkNames {
    std::vector<std::string> sorted;
    bool holds(std::string_view game_path) const;  // any case
};

// The names in a directory file's bytes; a file that is not one, or is cut or damaged anywhere in its
// tree, is refused with what is wrong.
Result<VpkNames> vpk_names(std::span<const uint8_t> bytes);

// The same, read from a file: only its header and tree, however large the archive's data is.
Result<VpkNames> read_vpk_names(const std::filesystem::path& directory_file);

// The file the game reads for an archive that a search path names: "X.vpk" stands for "X_dir.vpk" where that
// exists, and for itself otherwise.
std::filesystem::path vpk_directory_file(const std::filesystem::path& named);

}  // namespace morvane::app
