#include "app/core/game_search.h"

#include "app/core/game_folder.h"
#include "app/core/key_values.h"
#include "app/core/utf8_path.h"
#include "app/core/vpk_directory.h"

#include <algorithm>
#include <system_error>

namespace morvane::app {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kGameInfoPathToken = "|gameinfo_path|";
constexpr std::string_view kEnginePathsToken = "|all_source_engine_paths|";
constexpr std::string_view kAppIdToken = "|appid_";

bool starts_with_any_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && same_key(text.substr(0, prefix.size()), prefix);
}

bool contains_any_case(std::string_view text, std::string_view part) {
    return ascii_lower(text).find(ascii_lower(part)) != std::string::npos;
}

bool search_paths_key(int depth, std::string_view key) {
    return (depth == 1 && same_key(key, "GameInfo")) || (depth == 2 && same_key(key, "FileSystem")) ||
           (depth == 3 && same_key(key, "SearchPaths")) || depth == 4;
}

// The "SearchPaths" block's lines of a parsed gameinfo.txt, in order.
std::vector<SearchPathLine> lines_of(const KeyValue& file) {
    const KeyValue* info = file.find("GameInfo");
    const KeyValue* system = info ? info->find("FileSystem") : nullptr;
    const KeyValue* paths = system ? system->find("SearchPaths") : nullptr;
    std::vector<SearchPathLine> lines;
    if (paths)
        for (const KeyValue& line : paths->children)
            if (!line.is_block) lines.push_back({line.key, line.value});
    return lines;
}

// A place of a line made absolute as the engine makes it: against the folder of gameinfo.txt or the game's
// folder, with either slash, "." and ".." resolved.
fs::path resolved(std::string_view place, const fs::path& game_folder, const fs::path& gameinfo_folder) {
    const fs::path* base = &game_folder;
    if (starts_with_any_case(place, kGameInfoPathToken)) {
        place.remove_prefix(kGameInfoPathToken.size());
        base = &gameinfo_folder;
    } else if (starts_with_any_case(place, kEnginePathsToken)) {
        place.remove_prefix(kEnginePathsToken.size());
    }
    std::string text(place);
#ifndef _WIN32
    std::replace(text.begin(), text.end(), '\\', '/');
#endif
    fs::path path = (*base / path_from_utf8(text)).lexically_normal();
    if (!path.has_filename()) path = path.parent_path();  // "cstrike/." and "cstrike/" name the folder itself
    return path;
}

// A file name against the last part of a place: "*" any run of characters, "?" any one, letters in any case.
// Greedy with one step back to the last "*", so that no pattern of many stars takes exponential time.
bool matches(std::string_view name, std::string_view pattern) {
    size_t n = 0, p = 0, star = std::string_view::npos, star_n = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same_key(pattern.substr(p, 1), name.substr(n, 1)))) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            star_n = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++star_n;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

// The folders and VPKs a wildcard place finds, in the engine's order: by full name without regard to case,
// and the numbered parts of a split VPK (NAME_000.vpk) left to its NAME_dir.vpk.
std::vector<fs::path> expanded(const fs::path& wildcard) {
    std::vector<fs::path> found;
    const std::string pattern = utf8_from_path(wildcard.filename());
    std::error_code ec;
    for (fs::directory_iterator entry(wildcard.parent_path(), ec), end; !ec && entry != end; entry.increment(ec)) {
        const std::string name = utf8_from_path(entry->path().filename());
        if (name.empty() || name[0] == '.' || !matches(name, pattern)) continue;
        std::error_code kind;
        if (entry->is_directory(kind) || contains_any_case(name, ".vpk")) found.push_back(entry->path());
    }
    std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
        return ascii_lower(utf8_from_path(a)) < ascii_lower(utf8_from_path(b));
    });
    for (size_t at = found.size(); at-- > 1;) {
        const std::string name = ascii_lower(utf8_from_path(found[at]));
        const size_t dir = name.find("_dir.vpk");
        if (dir == std::string::npos) continue;
        const std::string split = name.substr(0, dir);
        while (at > 0 && ascii_lower(utf8_from_path(found[at - 1])).starts_with(split)) {
            found.erase(found.begin() + std::ptrdiff_t(at - 1));
            --at;
        }
    }
    return found;
}

// The engine stops with an error when a pack folder has the name of a content folder: the player put
// custom/materials where custom/NAME/materials belongs.
bool is_misplaced_content(const fs::path& entry) {
    const std::string name = utf8_from_path(entry.filename());
    for (const char* content : {"materials", "maps", "resource", "scripts", "sound", "models"})
        if (same_key(name, content)) return true;
    return false;
}

SearchPlace place_at(const fs::path& path, bool from_wildcard) {
    const bool vpk = contains_any_case(utf8_from_path(path.filename()), ".vpk");
    return {vpk ? vpk_directory_file(path) : path, vpk, from_wildcard};
}

// The old layout's one place: the loose game folder, as before gameinfo.txt listed any other.
GameSearch loose_folder_only(const fs::path& gameinfo_folder, std::string note) {
    return {{{gameinfo_folder, false, false}}, gameinfo_folder / "materials" / "console", std::move(note)};
}

}  // namespace

bool has_path_id(std::string_view path_ids, std::string_view id) {
    size_t begin = 0;
    for (;;) {
        const size_t end = std::min(path_ids.find('+', begin), path_ids.size());
        std::string_view one = path_ids.substr(begin, end - begin);
        while (!one.empty() && (one.front() == ' ' || one.front() == '\t')) one.remove_prefix(1);
        while (!one.empty() && (one.back() == ' ' || one.back() == '\t')) one.remove_suffix(1);
        if (same_key(one, id)) return true;
        if (end == path_ids.size()) return false;
        begin = end + 1;
    }
}

Result<std::vector<SearchPathLine>> search_path_lines(std::string_view gameinfo_text) {
    const KeyValuesResult file = parse_key_values(gameinfo_text, search_paths_key);
    if (!file.ok) return Result<std::vector<SearchPathLine>>::failed(file);
    return Result<std::vector<SearchPathLine>>::made(lines_of(file.value));
}

GameSearch game_search(const fs::path& game_folder) {
    fs::path gameinfo_folder = (game_folder / "cstrike").lexically_normal();
    const fs::path gameinfo = gameinfo_folder / "gameinfo.txt";
    const KeyValuesResult file = read_key_values(gameinfo, search_paths_key);
    if (!file.ok)
        return loose_folder_only(gameinfo_folder, "\"" + utf8_from_path(gameinfo) + "\" was not used: " + file.error + ".");
    const std::vector<SearchPathLine> lines = lines_of(file.value);
    if (lines.empty())
        return loose_folder_only(gameinfo_folder, "\"" + utf8_from_path(gameinfo) + "\" lists no search paths.");

    GameSearch search;
    bool decided = false;  // custom/*, a VPK or the loose game folder has come: the first of them decides
    for (const SearchPathLine& line : lines) {
        if (!has_path_id(line.path_ids, "game") || starts_with_any_case(line.place, kAppIdToken)) continue;
        const fs::path place = resolved(line.place, game_folder, gameinfo_folder);
        const bool wildcard = line.place.find_first_of("*?") != std::string::npos;
        if (wildcard) {
            if (!decided) search.console_folder = place.parent_path() / kOwnPackName / "materials" / "console";
            for (const fs::path& entry : expanded(place)) {
                search.places.push_back(place_at(entry, true));
                if (is_misplaced_content(entry))
                    search.note = "\"" + utf8_from_path(entry) + "\" keeps the game from starting: the engine refuses a "
                                  "folder of that name among its packs. Move it into a pack's folder of its own.";
            }
        } else {
            search.places.push_back(place_at(place, false));
        }
        decided = decided || wildcard || contains_any_case(line.place, ".vpk") || same_folder(place, gameinfo_folder);
    }
    if (search.console_folder.empty()) search.console_folder = gameinfo_folder / "materials" / "console";
    return search;
}

}  // namespace morvane::app
