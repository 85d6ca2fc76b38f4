#include "platform/codecs/picture_kinds.h"

#include <algorithm>
#include <iterator>
#include <sstream>
#include <vector>

namespace morvane {

namespace {

std::vector<std::string> extensions_of(const PictureKind& kind) {
    std::istringstream words(kind.extensions);
    return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

// "NAME File(*.a,*.b)|*.a;*.b", the dialog's form of an entry.
std::string filter_entry(const std::string& name, const std::vector<std::string>& extensions) {
    std::string shown, patterns;
    for (const std::string& extension : extensions) {
        shown += (shown.empty() ? "*" : ",*") + extension;
        patterns += (patterns.empty() ? "*" : ";*") + extension;
    }
    return name + " File(" + shown + ")|" + patterns;
}

}  // namespace

std::string readable_kinds() {
    std::string list;
    const size_t count = std::size(kPictureKinds);
    for (size_t i = 0; i < count; ++i)
        list += (i == 0 ? "" : i + 1 == count ? " or " : ", ") + extensions_of(kPictureKinds[i]).front();
    return list;
}

std::string load_filter() {
    // The entry the dialog has always had first; every extension it leaves out gets its kind's own entry.
    const std::vector<std::string> first = {".bmp", ".jpg"};
    std::string filter = filter_entry("Picture", first);
    for (const PictureKind& kind : kPictureKinds) {
        const std::vector<std::string> extensions = extensions_of(kind);
        for (const std::string& extension : extensions)
            if (std::find(first.begin(), first.end(), extension) == first.end()) {
                filter += "|" + filter_entry(kind.name, extensions);
                break;
            }
    }
    return filter;
}

}  // namespace morvane
