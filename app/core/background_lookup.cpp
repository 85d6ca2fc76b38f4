#include "app/core/background_lookup.h"

#include "app/core/key_values.h"
#include "app/core/utf8_path.h"
#include "app/core/vpk_directory.h"

#include <algorithm>
#include <map>
#include <optional>
#include <system_error>

namespace morvane::app {

namespace fs = std::filesystem;

namespace {

bool is_file(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The loose file `game_path` names under `folder`. Windows ignores case by itself; elsewhere the engine
// finds a file whatever the case of its folders and name, and so does this.
std::optional<fs::path> loose_file(const fs::path& folder, const std::string& game_path) {
    fs::path exact = folder / path_from_utf8(game_path);
    if (is_file(exact)) return exact;
#ifdef _WIN32
    return std::nullopt;
#else
    fs::path at = folder;
    for (const fs::path& part : path_from_utf8(game_path)) {
        std::error_code ec;
        std::optional<fs::path> found;
        for (fs::directory_iterator entry(at, ec), end; !ec && entry != end && !found; entry.increment(ec))
            if (same_key(utf8_from_path(entry->path().filename()), utf8_from_path(part))) found = entry->path();
        if (!found) return std::nullopt;
        at = *found;
    }
    return is_file(at) ? std::optional<fs::path>(at) : std::nullopt;
#endif
}

std::string texture_game_path(const ConsoleBackground& background) {
    return std::string("materials/") + background.game_texture + ".vtf";
}

// A path from the game folder where it lies inside it, in full otherwise.
std::string shown(const fs::path& path, const fs::path& game_folder) {
    const fs::path inside = path.lexically_relative(game_folder);
    const bool within = !inside.empty() && *inside.begin() != "..";
    return utf8_from_path(within ? inside : path);
}

bool same_file(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

std::vector<BackgroundSeen> backgrounds_seen(const GameSearch& search, const fs::path& console_folder) {
    std::vector<BackgroundSeen> all;
    std::map<fs::path, VpkNames> read;  // each VPK's directory once, however many names are looked up
    for (const ConsoleBackground& background : kBothBackgrounds) {
        BackgroundSeen seen{background, {}, {}, false};
        const std::string game_path = texture_game_path(background);
        for (const SearchPlace& place : search.places) {
            if (place.vpk) {
                auto [names, fresh] = read.try_emplace(place.path);
                if (fresh) names->second = read_vpk_names(place.path).value;  // an unreadable VPK holds nothing
                if (!names->second.holds(game_path)) continue;
            } else if (std::optional<fs::path> file = loose_file(place.path, game_path)) {
                seen.file = *file;
            } else {
                continue;
            }
            seen.place = place;
            seen.ours = !seen.file.empty() && same_file(seen.file, console_folder / background.texture_file);
            break;
        }
        all.push_back(std::move(seen));
    }
    return all;
}

bool all_ours(const std::vector<BackgroundSeen>& seen) {
    return std::all_of(seen.begin(), seen.end(), [](const BackgroundSeen& one) { return one.ours; });
}

std::string seen_line(const BackgroundSeen& seen, const fs::path& game_folder) {
    std::string line = std::string(seen.background.game_texture) + ": ";
    if (seen.place.path.empty()) return line + "the game finds no copy of it";
    if (seen.ours) return line + "Morvane's " + shown(seen.file, game_folder);
    line += seen.file.empty() ? texture_game_path(seen.background) + " in " + shown(seen.place.path, game_folder)
                              : shown(seen.file, game_folder);
    if (!seen.place.from_wildcard) return line + ", not Morvane's";
    const std::string pack = utf8_from_path(seen.place.path.filename());
    return line + ", not Morvane's: the pack \"" + visible(pack) + "\" comes before \"" + kOwnPackName +
           "\"; rename it to sort after \"" + kOwnPackName + "\", or remove it, to see Morvane's";
}

}  // namespace morvane::app
