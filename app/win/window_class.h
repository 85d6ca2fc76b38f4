#pragma once
// The window class of each of the program's top-level popups: an arrow cursor, this program's instance, and
// for the main window the program's icon (resource 1). Registered once per class, on the window's first start.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace morvane::app {

inline ATOM register_window_class(const wchar_t* name, WNDPROC procedure, bool with_icon) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    if (with_icon) window_class.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    window_class.lpszClassName = name;
    return RegisterClassExW(&window_class);
}

}  // namespace morvane::app
