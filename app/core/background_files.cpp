#include "app/core/background_files.h"

#include "app/core/utf8_path.h"
#include "texture/vtfmod.h"

#include <system_error>
#include <thread>

namespace morvane::app {

namespace fs = std::filesystem;

Outcome write_textures(const texture::TextureModule& texture, const fs::path& console_path,
                       std::span<const ConsoleBackground> backgrounds, std::vector<fs::path>& written) {
    written.clear();
    // Each file waits for the disk before it takes its name; written side by side, those waits overlap.
    std::vector<Outcome> results(backgrounds.size());
    {
        std::vector<std::thread> others;
        for (size_t i = 1; i < backgrounds.size(); ++i) {
            const auto write = [&, i] { results[i] = texture.WriteVtfFile(console_path / backgrounds[i].texture_file); };
            try {
                others.emplace_back(write);
            } catch (const std::system_error&) {
                write();  // no thread to spare: this file is written here, after all
            }
        }
        if (!backgrounds.empty()) results[0] = texture.WriteVtfFile(console_path / backgrounds[0].texture_file);
        for (std::thread& other : others) other.join();
    }
    std::string failures;
    for (size_t i = 0; i < backgrounds.size(); ++i) {
        if (results[i].ok) written.push_back(console_path / backgrounds[i].texture_file);
        else failures += (failures.empty() ? "" : "\n") + results[i].error;
    }
    if (failures.empty()) return Outcome::done();
    for (const fs::path& file : written) failures += "\nThe same background was written to \"" + shown_in_message(utf8_from_path(file)) + "\".";
    return Outcome::failed(failures);
}

}  // namespace morvane::app
