#include "app/core/background_files.h"

#include "app/core/utf8_path.h"
#include "texture/vtfmod.h"

namespace morvane::app {

namespace fs = std::filesystem;

Outcome write_textures(const texture::TextureModule& texture, const fs::path& console_path,
                       std::span<const ConsoleBackground> backgrounds, std::vector<fs::path>& written) {
    written.clear();
    std::string failures;
    for (const ConsoleBackground& background : backgrounds) {
        const fs::path file = console_path / background.texture_file;
        const Outcome vtf = texture.WriteVtfFile(file);
        if (vtf.ok) written.push_back(file);
        else failures += (failures.empty() ? "" : "\n") + vtf.error;
    }
    if (failures.empty()) return Outcome::done();
    for (const fs::path& file : written) failures += "\nThe same background was written to \"" + utf8_from_path(file) + "\".";
    return Outcome::failed(failures);
}

}  // namespace morvane::app
