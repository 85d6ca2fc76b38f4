#include "platform/system/message_loop.h"

#include "platform/win/dialog_windows.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace morvane {

void yield_to_message_loop() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The program's own loop ends on it; a long loop only lets the windows catch up.
            PostQuitMessage(int(message.wParam));
            return;
        }
        if (handled_as_dialog_key(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace morvane
