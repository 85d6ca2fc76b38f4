#pragma once
// The program's windows that take Tab, Shift+Tab, Space and Enter the way a dialog does. Every message loop
// of the program (the main one and the yield inside long loops) hands their messages to IsDialogMessageW
// first, so the keyboard works the same while a build or the fade-in is running. A key pressed in one of them
// also turns on its focus mark, which Windows keeps hidden until the keyboard is used.
#include "platform/win/window_handle.h"

struct tagMSG;

namespace morvane {

void add_dialog_window(WindowHandle window);
void remove_dialog_window(WindowHandle window);

// Whether `message` went to a registered window or one of its children and was handled as a dialog key.
bool handled_as_dialog_key(tagMSG& message);

}  // namespace morvane
