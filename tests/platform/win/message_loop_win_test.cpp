// The yield inside the program's long loops: every waiting message is handled before it returns, the end
// of the program is not swallowed, and the dialog keys reach the windows that take them.
#include "platform/system/message_loop.h"
#include "platform/win/dialog_windows.h"
#include "tests/platform/win/system_windows.h"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

struct Counted {
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == WM_APP) ++handled;
        return DefWindowProcW(window, message, w, l);
    }
    static inline int handled = 0;
};

HWND message_window() {
    static const ATOM registered = [] {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = Counted::procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"MorvaneYieldTest";
        return RegisterClassW(&window_class);
    }();
    (void)registered;
    return CreateWindowExW(0, L"MorvaneYieldTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(YieldToMessageLoop, HandlesEveryWaitingMessageThenReturns) {
    HWND window = message_window();
    Counted::handled = 0;
    for (int i = 0; i < 5; ++i) PostMessageW(window, WM_APP, 0, 0);
    yield_to_message_loop();
    EXPECT_EQ(Counted::handled, 5);
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, nullptr, 0, 0, PM_NOREMOVE)) << "a message was left waiting";
    yield_to_message_loop();  // nothing waiting: returns at once
    DestroyWindow(window);
}

TEST(YieldToMessageLoop, LeavesTheEndOfTheProgramForTheMainLoop) {
    PostQuitMessage(3);
    yield_to_message_loop();
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, WPARAM(3));
}

TEST(YieldToMessageLoop, TabMovesTheFocusInARegisteredWindow) {
    TestWindow window(WS_POPUP | WS_VISIBLE, 300, 100);
    HWND first = CreateWindowExW(0, L"BUTTON", L"first", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                                 100, 24, window.handle, HMENU(1), GetModuleHandleW(nullptr), nullptr);
    HWND second = CreateWindowExW(0, L"BUTTON", L"second", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 110,
                                  0, 100, 24, window.handle, HMENU(2), GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window.handle);
    SetFocus(first);
    ASSERT_EQ(GetFocus(), first);
    add_dialog_window(window.handle);
    PostMessageW(first, WM_KEYDOWN, VK_TAB, 0x000F0001);
    yield_to_message_loop();
    EXPECT_EQ(GetFocus(), second);
    remove_dialog_window(window.handle);
    PostMessageW(second, WM_KEYDOWN, VK_TAB, 0x000F0001);
    yield_to_message_loop();
    EXPECT_EQ(GetFocus(), second) << "a window taken off the list gets no dialog keys";
}

}  // namespace
}  // namespace morvane::testing
