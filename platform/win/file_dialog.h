#pragma once
// The system's open-file dialog (GetOpenFileNameW): the one that "Load Picture" and the search for hl2.exe
// show. It opens over its owner window and leaves the process's current folder alone.
#include "platform/system/file_dialog.h"
#include "platform/win/window_handle.h"

#include <string>

namespace morvane {

// Room for a name of the longest path the system takes, in UTF-16 units.
inline constexpr size_t kDialogPathUnits = 32768;

class WinFileDialog : public FileDialog {
public:
    explicit WinFileDialog(WindowHandle owner = nullptr) : owner_(owner) {}
    void set_owner(WindowHandle owner) { owner_ = owner; }
    void show_open() override;

private:
    WindowHandle owner_;
};

// A bar filter ("Pictures|*.bmp;*.jpg") as the dialog takes it: "Pictures\0*.bmp;*.jpg\0\0". Empty when the
// filter has no entry with patterns, so that the dialog offers every file.
std::wstring dialog_filter(const std::string& bar_filter);

}  // namespace morvane
