#include "platform/system/file_dialog.h"

namespace morvane {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<FilterEntry> filter_entries(const std::string& bar_filter) {
    std::vector<FilterEntry> entries;
    if (bar_filter.empty()) return entries;
    const auto parts = split(bar_filter, '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        FilterEntry entry{parts[i], {}};
        for (const auto& p : split(parts[i + 1], ';'))
            if (const auto pattern = trimmed(p); !pattern.empty()) entry.patterns.push_back(pattern);
        if (!entry.patterns.empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace morvane
