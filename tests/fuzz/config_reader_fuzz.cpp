// config.dat as a user's editor or a broken disk may leave it: any bytes give a folder or a failure (nothing, or
// a line with a control byte), never more than the first line, and a folder the program wrote reads back as itself.
#include "app/core/settings_file.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const std::filesystem::path& program_folder() {
    static const morvane::testing::TempFolder folder;
    return folder.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string decoded = morvane::app::decode_config_text(bytes);
    if (decoded.find_first_of("\r\n") != std::string::npos) std::abort();

    std::ofstream(morvane::app::config_file(program_folder()), std::ios::binary | std::ios::trunc) << bytes;
    const morvane::Result<std::string> stored = morvane::app::read_config(program_folder());
    // A line with a control byte is damage, read as no folder at all; any other line is a folder.
    const bool damaged = std::any_of(decoded.begin(), decoded.end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    if (stored.ok == (decoded.empty() || damaged) || stored.ok == stored.value.empty()) std::abort();

    // What write_config stores for a line reads back unchanged.
    const std::string line = decoded.empty() ? std::string("/games/cstrike/materials/console") : decoded;
    if (line.rfind("\xEF\xBB\xBF", 0) != 0 && morvane::app::decode_config_text(morvane::app::encode_config_line(line)) != line)
        std::abort();
    return 0;
}
