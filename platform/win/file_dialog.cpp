#include "platform/win/file_dialog.h"

#include "platform/win/wide_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace morvane {

std::wstring dialog_filter(const std::string& bar_filter) {
    std::wstring filter;
    for (const FilterEntry& entry : filter_entries(bar_filter)) {
        std::string patterns;
        for (const std::string& pattern : entry.patterns) {
            if (!patterns.empty()) patterns += ';';
            patterns += pattern;
        }
        filter += wide_from_utf8(entry.description);
        filter += L'\0';
        filter += wide_from_utf8(patterns);
        filter += L'\0';
    }
    if (!filter.empty()) filter += L'\0';
    return filter;
}

void WinFileDialog::show_open() {
    std::vector<wchar_t> chosen(kDialogPathUnits, L'\0');
    const std::wstring start = wide_from_utf8(file_name);
    // A name longer than the buffer cannot be a start; the dialog then opens empty.
    if (start.size() < chosen.size()) start.copy(chosen.data(), start.size());
    const std::wstring wide_title = wide_from_utf8(title);
    const std::wstring wide_folder = wide_from_utf8(folder);
    const std::wstring wide_filter = dialog_filter(filter);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = wide_filter.empty() ? nullptr : wide_filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = chosen.data();
    ofn.nMaxFile = DWORD(chosen.size());
    ofn.lpstrInitialDir = wide_folder.empty() ? nullptr : wide_folder.c_str();
    ofn.lpstrTitle = wide_title.empty() ? nullptr : wide_title.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_NOCHANGEDIR;
    // Cancelled, closed, or failed (a buffer too small is impossible at this size): no name.
    file_name = GetOpenFileNameW(&ofn) ? utf8_from_wide(chosen.data()) : std::string();
}

}  // namespace morvane
