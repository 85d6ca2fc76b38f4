// config.dat as a user's editor or a broken disk may leave it: any bytes give a folder or "", never more
// than the first line, and a folder the program wrote reads back as itself.
#include "app/core/settings_file.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::filesystem::path& program_folder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("morvane-fuzz-config-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string decoded = morvane::app::decode_config_text(bytes);
    if (decoded.find_first_of("\r\n") != std::string::npos) std::abort();

    std::ofstream(morvane::app::config_file(program_folder()), std::ios::binary | std::ios::trunc) << bytes;
    const std::string stored = morvane::app::read_config(program_folder());
    if (!decoded.empty() && stored.empty()) std::abort();

    // What write_config stores for a line reads back unchanged.
    const std::string line = decoded.empty() ? std::string("/games/cstrike/materials/console") : decoded;
    if (line.rfind("\xEF\xBB\xBF", 0) != 0 && morvane::app::decode_config_text(morvane::app::encode_config_line(line)) != line)
        std::abort();
    return 0;
}
