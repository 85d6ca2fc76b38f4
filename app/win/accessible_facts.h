#pragma once
// What a screen reader hears of one of morvane.exe's controls: its role, its name and its value, given to the
// system's accessibility interface (oleacc) for the control's window. Everything else (its place, its state,
// its default action) stays the system's own, so a reader finds, focuses and presses it as any control.
#include "platform/win/window_handle.h"

#include <functional>
#include <string>

namespace morvane::app {

struct AccessibleFacts {
    long role = 0;  // ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_COMBOBOX, ROLE_SYSTEM_PROGRESSBAR, ...
    std::wstring name;
    std::function<std::wstring()> value;  // none: the system's own value
};

// Answers WM_GETOBJECT for the window's client object with these facts, from now until it is destroyed.
void give_accessible_facts(WindowHandle window, AccessibleFacts facts);

}  // namespace morvane::app
