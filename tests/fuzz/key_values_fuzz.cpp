// Valve's key-value text as a download, a hand edit or a broken disk may leave it: any bytes give a tree or
// a reason, never an exception and never both, and every key of a tree can be found again by its name.
#include "app/core/key_values.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check_lookups(const morvane::app::KeyValue& block) {
    for (const morvane::app::KeyValue& child : block.children) {
        const morvane::app::KeyValue* found = block.find(child.key);
        if (found == nullptr || !morvane::app::same_key(found->key, child.key)) std::abort();
        if (child.is_block) check_lookups(child);
        else if (!child.children.empty()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const morvane::app::KeyValuesResult result =
        morvane::app::parse_key_values(std::string_view(reinterpret_cast<const char*>(data), size));
    if (result.ok != result.error.empty()) std::abort();
    if (result.ok) check_lookups(result.value);
    return 0;
}
