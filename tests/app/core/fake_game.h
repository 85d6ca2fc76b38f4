#pragma once
// Counter-Strike: Source laid out as its public files show it, small enough to make in a test. Today's game
// (since 2013, 64-bit since 2025): cstrike.sh, cstrike_linux64, cstrike.exe, cstrike_win64.exe beside cstrike/,
// whose gameinfo.txt reads cstrike/custom/* first, then the VPKs, then the loose folders; the shared hl2 VPK
// holds the stock backgrounds and there is no loose cstrike/materials.
#include "tests/support/temp_folder.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morvane::testing {

namespace fs = std::filesystem;

inline const std::vector<std::string> kStockBackgrounds{
    "materials/console/background01.vtf", "materials/console/background01.vmt",
    "materials/console/background01_widescreen.vtf", "materials/console/background01_widescreen.vmt"};

// A VPK directory file (version 2, every file's data in archive 0) holding `names` ("dir/file.ext").
inline std::string vpk_bytes(const std::vector<std::string>& names, uint32_t version = 2) {
    auto le = [](std::string& out, uint32_t value, int bytes) { for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i)); };
    std::string tree;
    for (const std::string& name : names) {  // one extension and one path each: the reader must merge nothing
        const size_t slash = name.rfind('/'), start = slash == std::string::npos ? 0 : slash + 1, dot = name.rfind('.');
        tree += name.substr(dot + 1) + '\0' + (start ? name.substr(0, slash) : " ") + '\0' + name.substr(start, dot - start) + '\0';
        le(tree, 0x12345678, 4), le(tree, 0, 2), le(tree, 0, 2), le(tree, 0, 4), le(tree, 100, 4), le(tree, 0xFFFF, 2);
        tree += std::string(1, '\0') + '\0';  // no more files, no more paths
    }
    tree += '\0';
    std::string file;
    le(file, 0x55AA1234, 4), le(file, version, 4), le(file, uint32_t(tree.size()), 4);
    if (version == 2) le(file, 0, 4), le(file, 0, 4), le(file, 0, 4), le(file, 0, 4);
    return file + tree;
}

// Its search paths as the game lists them, less the lines that hold no materials.
inline const std::string kTodaysGameInfo =
    "\"GameInfo\"\r\n{\r\n\tgame\t\"Counter-Strike Source\"\r\n\tFileSystem\r\n\t{\r\n\t\tSteamAppId\t\t240\r\n"
    "\t\tSearchPaths\r\n\t\t{\r\n\t\t\tgame+mod\t\t\tcstrike/custom/*\r\n\t\t\tgame+mod\t\t\tcstrike/cstrike_pak.vpk\r\n"
    "\t\t\tGAME\t\t\t\t\"|all_source_engine_paths|hl2/hl2_misc.vpk\"\r\n"
    "\t\t\tmod+mod_write+default_write_path\t\t|gameinfo_path|.\r\n\t\t\tgame+game_write\t\tcstrike\r\n"
    "\t\t\tgame\t\t\t\t|all_source_engine_paths|hl2\r\n\t\t}\r\n\t}\r\n}\r\n";

struct FakeGame {
    fs::path folder;

    fs::path cstrike() const { return folder / "cstrike"; }
    fs::path custom_console() const { return cstrike() / "custom" / "morvane" / "materials" / "console"; }
    fs::path loose_console() const { return cstrike() / "materials" / "console"; }

    void install_today() const {
        for (const char* program : {"cstrike.sh", "cstrike_linux64", "cstrike.exe", "cstrike_win64.exe"})
            write_bytes(folder / program, "program");
        write_bytes(cstrike() / "gameinfo.txt", kTodaysGameInfo);
        write_bytes(cstrike() / "cstrike_pak_dir.vpk", vpk_bytes({"materials/vgui/logo.vtf"}));
        write_bytes(folder / "hl2" / "hl2_misc_dir.vpk", vpk_bytes(kStockBackgrounds));
        fs::create_directories(cstrike() / "custom");
    }
    // A player's pack in cstrike/custom holding its own standard background.
    void add_pack(const std::string& name) const {
        write_bytes(cstrike() / "custom" / name / "materials" / "console" / "background01.vtf", "a pack's");
    }
};

}  // namespace morvane::testing
