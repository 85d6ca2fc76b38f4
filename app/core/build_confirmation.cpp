#include "app/core/build_confirmation.h"

#include "app/core/utf8_path.h"

namespace morvane::app {

std::string build_confirmation(int size_pixels, const std::string& console_folder,
                               const std::vector<std::filesystem::path>& written_files, bool seen_by_game) {
    const std::string side = std::to_string(size_pixels);
    std::string text = (seen_by_game ? "Made for the game's next start (" : "Background made (") + side + " x " + side + "):\n";
    for (size_t i = 0; i < written_files.size(); ++i) text += (i > 0 ? ", " : "") + utf8_from_path(written_files[i].filename());
    return text + "\nin " + console_folder;
}

}  // namespace morvane::app
