#pragma once
// The game chooses its console background by the screen's shape: "console/background01_widescreen" where
// width / height is at least 1.6 (16:10, 16:9), "console/background01" on narrower screens (4:3, 5:4). Each
// is a texture with a material naming it, side by side in the console folder. Morvane writes the same
// picture under both names.
#include <array>

namespace morvane::app {

struct ConsoleBackground {
    const char* texture_file;   // in the console folder
    const char* material_file;  // in the console folder
    const char* game_texture;   // what the material names: the texture's game path, without extension
};

inline constexpr ConsoleBackground kStandardBackground{"background01.vtf", "background01.vmt", "console/background01"};
inline constexpr ConsoleBackground kWidescreenBackground{"background01_widescreen.vtf", "background01_widescreen.vmt",
                                                         "console/background01_widescreen"};
inline constexpr std::array<ConsoleBackground, 2> kBothBackgrounds{kStandardBackground, kWidescreenBackground};

}  // namespace morvane::app
