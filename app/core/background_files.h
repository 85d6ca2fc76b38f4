#pragma once
// The built texture, written into the console folder under each background's name.
#include "app/core/console_files.h"
#include "platform/outcome.h"

#include <filesystem>
#include <span>
#include <vector>

namespace morvane::texture {
class TextureModule;
}

namespace morvane::app {

// Writes the texture once per background, each file replaced only once its successor is complete. Every
// name is tried even when an earlier one fails; `written` receives the files that were written. When one
// fails, the error says why and names the files that were written all the same.
Outcome write_textures(const texture::TextureModule& texture, const std::filesystem::path& console_path,
                       std::span<const ConsoleBackground> backgrounds, std::vector<std::filesystem::path>& written);

}  // namespace morvane::app
