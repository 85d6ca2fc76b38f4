#include "platform/win/message_box.h"

#include "platform/win/wide_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#undef MessageBox  // windows.h's macro for MessageBoxW, not the program's class

namespace morvane {

void WinMessageBox::show(const std::string& text) {
    MessageBoxW(owner_, wide_from_utf8(text).c_str(), wide_from_utf8(kApplicationTitle).c_str(), MB_OK);
}

}  // namespace morvane
