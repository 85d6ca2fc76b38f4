// The game's own files as a broken disk, a hand edit or a hostile pack may leave them: any bytes read as
// gameinfo.txt give search-path lines or a reason, and as a VPK directory give names or a reason, never both,
// never a read outside the bytes; every name a directory gives is found again by its lookup.
#include "app/core/game_search.h"
#include "app/core/vpk_directory.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto lines = morvane::app::search_path_lines(std::string_view(reinterpret_cast<const char*>(data), size));
    if (lines.ok != lines.error.empty()) std::abort();
    for (const auto& line : lines.value) (void)morvane::app::has_path_id(line.path_ids, "game");

    const auto names = morvane::app::vpk_names(std::span<const uint8_t>(data, size));
    if (names.ok != names.error.empty()) std::abort();
    for (const std::string& name : names.value.sorted)
        if (!names.value.holds(name)) std::abort();
    return 0;
}
