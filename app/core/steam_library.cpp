#include "app/core/steam_library.h"

#include "app/core/game_folder.h"
#include "app/core/utf8_path.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <system_error>
#include <unordered_set>

namespace morvane::app {

namespace fs = std::filesystem;

namespace {

std::string shown(const fs::path& path) { return "\"" + visible(shown_in_message(utf8_from_path(path))) + "\""; }

// The name one folder has however it is reached (links resolved), for telling duplicates apart.
std::string identity(const fs::path& folder) {
    std::error_code ec;
    fs::path real = fs::canonical(folder, ec);
    if (ec) real = folder.lexically_normal();
    std::string key = utf8_from_path(real);
#ifdef _WIN32
    std::transform(key.begin(), key.end(), key.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; });
#endif
    return key;
}

bool is_folder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// Adds `folder` unless one already in `into` is the same folder.
void add_once(std::vector<fs::path>& into, std::unordered_set<std::string>& seen, const fs::path& folder) {
    if (seen.insert(identity(folder)).second) into.push_back(folder);
}

bool all_digits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// What the Steam search reads of its two files.
bool library_list_key(int depth, std::string_view key) {
    if (depth == 1) return same_key(key, "libraryfolders");
    if (depth == 2) return all_digits(key);  // numbered libraries, not "contentstatsid" and the like
    return depth == 3 && same_key(key, "path");
}
bool manifest_key(int depth, std::string_view key) {
    return (depth == 1 && same_key(key, "AppState")) || (depth == 2 && same_key(key, "installdir"));
}

// The notes of a search, with libraries that give the same answer told a few times and then counted: a Steam
// with a hundred thousand empty libraries gives a few lines, not a hundred thousand.
class SearchNotes {
public:
    explicit SearchNotes(std::vector<std::string>& notes) : notes_(notes) {}

    // `what` (a file or folder, quoted) gave `why`; the note reads what + separator + why.
    void add(const std::string& what, const std::string& why, const char* separator = ": ") {
        auto [at, fresh] = groups_.try_emplace(why);
        if (fresh) order_.push_back(why);
        Group& group = at->second;
        if (group.shown < kEachShown) {
            ++group.shown;
            notes_.push_back(what + separator + why + ".");
        } else if (group.more++ == 0) {
            group.first_more = what;
        }
    }
    // The counts, once every library has been looked at.
    void finish() {
        for (const std::string& why : order_)
            if (const Group& group = groups_[why]; group.more > 0)
                notes_.push_back(std::to_string(group.more) + " more the same (" + why + "), from " + group.first_more +
                                 " on.");
    }

private:
    static constexpr int kEachShown = 3;
    struct Group {
        int shown = 0;
        int more = 0;
        std::string first_more;
    };
    std::vector<std::string>& notes_;
    std::unordered_map<std::string, Group> groups_;
    std::vector<std::string> order_;  // the answers in the order they first came
};

class NoRegistry : public RegistryReader {
public:
    std::string read_text(RegistryRoot, const std::string&, const std::string&) const override { return {}; }
};

std::vector<fs::path> this_systems_candidates(const SteamSurroundings& around) {
#if defined(_WIN32)
    if (around.registry) return windows_steam_candidates(*around.registry);
    return windows_steam_candidates(NoRegistry{});
#elif defined(__APPLE__)
    return mac_steam_candidates(around.home);
#else
    return linux_steam_candidates(around.home, around.environment);
#endif
}

// Steam's folder first (it is always a library), then those its libraryfolders.vdf names.
std::vector<fs::path> libraries_of(const std::vector<fs::path>& steams, std::vector<std::string>& notes) {
    std::vector<fs::path> libraries;
    std::unordered_set<std::string> seen;
    for (const fs::path& steam : steams) {
        add_once(libraries, seen, steam);
        const fs::path list = steam / "steamapps" / "libraryfolders.vdf";
        const KeyValuesResult read = read_key_values(list, library_list_key);
        const Result<std::vector<fs::path>> paths =
            read.ok ? library_paths(read.value) : Result<std::vector<fs::path>>::failed(read);
        for (const fs::path& library : paths.value)
            if (!library.empty()) add_once(libraries, seen, library.lexically_normal());
        if (!paths.ok) notes.push_back(shown(list) + " names no further libraries: " + paths.error + ".");
    }
    return libraries;
}

// The game folder that `library` holds, or "" with a note saying why it holds none.
fs::path game_in(const fs::path& library, SearchNotes& notes) {
    const fs::path manifest = library / "steamapps" / (std::string("appmanifest_") + kGameAppId + ".acf");
    const KeyValuesResult read = read_key_values(manifest, manifest_key);
    const Result<std::string> folder_name = read.ok ? install_dir(read.value) : Result<std::string>::failed(read);
    if (!folder_name.ok) {
        notes.add(shown(manifest), folder_name.error);
        return {};
    }
    const fs::path game = library / "steamapps" / "common" / path_from_utf8(folder_name.value);
    if (!is_game_folder(game)) {
        notes.add(shown(game), not_a_game_folder_reason(), " ");
        return {};
    }
    return game;
}

}  // namespace

SteamSurroundings this_computer() {
    SteamSurroundings around;
    around.environment = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    around.home = fs::path(around.environment("HOME"));
#ifdef _WIN32
    around.registry = std::make_shared<WindowsRegistry>();
#endif
    return around;
}

std::vector<fs::path> windows_steam_candidates(const RegistryReader& registry) {
    std::vector<fs::path> candidates;
    const std::string user = registry.read_text(RegistryRoot::CurrentUser, "Software\\Valve\\Steam", "SteamPath");
    const std::string machine =
        registry.read_text(RegistryRoot::LocalMachine, "SOFTWARE\\WOW6432Node\\Valve\\Steam", "InstallPath");
    for (const std::string& folder : {user, machine, std::string("C:\\Program Files (x86)\\Steam")})
        if (!folder.empty()) candidates.push_back(path_from_utf8(folder).make_preferred());  // SteamPath uses "/"
    return candidates;
}

std::vector<fs::path> linux_steam_candidates(const fs::path& home,
                                             const std::function<std::string(const char*)>& environment) {
    std::vector<fs::path> candidates;
    // A relative XDG_DATA_HOME is to be ignored, as an unset one.
    const fs::path data_home = environment ? fs::path(environment("XDG_DATA_HOME")) : fs::path();
    if (data_home.is_absolute()) candidates.push_back(data_home / "Steam");
    else if (!home.empty()) candidates.push_back(home / ".local" / "share" / "Steam");
    if (home.empty()) return candidates;
    candidates.push_back(home / ".steam" / "steam");
    candidates.push_back(home / ".steam" / "root");
    candidates.push_back(home / ".var" / "app" / "com.valvesoftware.Steam" / ".local" / "share" / "Steam");
    candidates.push_back(home / "snap" / "steam" / "common" / ".local" / "share" / "Steam");
    return candidates;
}

std::vector<fs::path> mac_steam_candidates(const fs::path& home) {
    if (home.empty()) return {};
    return {home / "Library" / "Application Support" / "Steam"};
}

std::vector<fs::path> steam_folders(const SteamSurroundings& around) {
    std::vector<fs::path> folders;
    std::unordered_set<std::string> seen;
    for (const fs::path& candidate : this_systems_candidates(around))
        if (is_folder(candidate)) add_once(folders, seen, candidate);
    return folders;
}

Result<std::vector<fs::path>> library_paths(const KeyValue& file) {
    const KeyValue* list = file.find("libraryfolders");  // "LibraryFolders" in the older shape
    if (!list || !list->is_block) return Result<std::vector<fs::path>>::failed("it holds no \"libraryfolders\" block");
    std::vector<fs::path> paths;
    for (const KeyValue& entry : list->children) {
        if (!all_digits(entry.key)) continue;  // "contentstatsid", "TimeNextStatsReport", ...
        const std::string_view path = entry.is_block ? entry.text_of("path") : std::string_view(entry.value);
        if (!path.empty()) paths.push_back(path_from_utf8(std::string(path)).make_preferred());
    }
    return Result<std::vector<fs::path>>::made(std::move(paths));
}

Result<std::string> install_dir(const KeyValue& manifest) {
    const KeyValue* state = manifest.find("AppState");
    if (!state || !state->is_block) return Result<std::string>::failed("it holds no \"AppState\" block");
    const std::string dir(state->text_of("installdir"));
    // A name that climbs out of steamapps/common or reaches elsewhere is no game folder of this library.
    if (dir.empty() || dir == "." || dir == ".." || dir.find_first_of(std::string_view("/\\:\0", 4)) != std::string::npos) {
        return Result<std::string>::failed(dir.empty() ? "it names no \"installdir\""
                                                       : "its \"installdir\" \"" + visible(dir) + "\" is no plain folder name");
    }
    return Result<std::string>::made(dir);
}

SteamSearch find_counter_strike_source(const SteamSurroundings& around) {
    SteamSearch search;
    const std::vector<fs::path> steams = steam_folders(around);
    if (steams.empty()) {
        std::string looked;
        for (const fs::path& candidate : this_systems_candidates(around))
            looked += (looked.empty() ? "" : ", ") + shown(candidate);
        search.notes.push_back("No Steam folder was found" + (looked.empty() ? std::string(".") : " (looked for " + looked + ")."));
        return search;
    }
    std::unordered_set<std::string> seen;
    SearchNotes notes(search.notes);
    for (const fs::path& library : libraries_of(steams, search.notes)) {
        const fs::path game = game_in(library, notes);
        if (!game.empty()) add_once(search.game_folders, seen, game);
    }
    notes.finish();
    return search;
}

}  // namespace morvane::app
