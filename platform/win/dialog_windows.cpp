#include "platform/win/dialog_windows.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <vector>

namespace morvane {
namespace {

// Only the user-interface thread runs message loops, so the list needs no lock.
std::vector<HWND>& dialog_windows() {
    static std::vector<HWND> windows;
    return windows;
}

}  // namespace

void add_dialog_window(WindowHandle window) {
    auto& windows = dialog_windows();
    if (window != nullptr && std::find(windows.begin(), windows.end(), window) == windows.end())
        windows.push_back(window);
}

void remove_dialog_window(WindowHandle window) { std::erase(dialog_windows(), window); }

bool handled_as_dialog_key(MSG& message) {
    if (message.hwnd == nullptr) return false;
    for (HWND window : dialog_windows()) {
        if (message.hwnd != window && !IsChild(window, message.hwnd)) continue;
        // Once the keyboard is used in a window, it shows where the focus is (and stays so).
        if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)
            SendMessageW(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        if (IsDialogMessageW(window, &message)) return true;
    }
    return false;
}

}  // namespace morvane
