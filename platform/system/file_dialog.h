#pragma once
// The open-file dialog as the windows use it: set a file name, a title and a filter, show it, read the
// chosen name back (empty when the user cancelled). Strings are UTF-8; file names use the native separator.
// Each system's dialog is in its host folder (platform/qt/file_dialog.h, platform/win/file_dialog.h).
#include <string>
#include <vector>

namespace morvane {

class FileDialog {
public:
    virtual ~FileDialog() = default;

    std::string file_name;  // set "" before showing; the chosen full path afterwards, "" when cancelled
    std::string folder;     // where the dialog opens while file_name is empty; "" leaves it to the system
    std::string title;
    // Descriptions and patterns joined by vertical bars: "Pictures|*.bmp;*.jpg|All|*.*".
    std::string filter;

    // Shows the dialog and waits until the user closes it; then file_name holds the answer.
    virtual void show_open() = 0;
};

// One entry of a bar filter: its description and its patterns, blanks trimmed, empty patterns dropped.
struct FilterEntry {
    std::string description;
    std::vector<std::string> patterns;
};

// The entries of "description|patterns|description|patterns...", in order; an entry without patterns is
// left out, and so is a description without a patterns part after it.
std::vector<FilterEntry> filter_entries(const std::string& bar_filter);

}  // namespace morvane
