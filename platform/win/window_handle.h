#pragma once
// A window of the system, named without including windows.h: its MessageBox and other macros would rename
// the program's own classes in every file that includes a header of ours. The same type as windows.h's HWND.
struct HWND__;

namespace morvane {

using WindowHandle = HWND__*;

}  // namespace morvane
