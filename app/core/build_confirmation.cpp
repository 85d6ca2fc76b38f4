#include "app/core/build_confirmation.h"

namespace morvanemod {

std::string build_confirmation(int size_pixels, const std::string& console_folder,
                               const std::vector<std::string>& written_files) {
    const std::string side = std::to_string(size_pixels);
    std::string text = "Background made (" + side + " x " + side + "):\n";
    for (size_t i = 0; i < written_files.size(); ++i) text += (i > 0 ? ", " : "") + written_files[i];
    return text + "\nin " + console_folder;
}

}  // namespace morvanemod
