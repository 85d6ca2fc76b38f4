#pragma once
// For tests that answer the system's own windows (the open-file dialog, the message box) as a user would:
// a helper thread waits for the window to appear, reads it and presses one of its buttons, while the test's
// thread sits inside the call that shows it. Also a plain top-level window to hang things on.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace morvane::testing {

// Read without a message to the window: its own thread may be busy.
inline std::wstring window_text(HWND window) {
    wchar_t text[1024] = {};
    InternalGetWindowText(window, text, 1024);
    return text;
}

inline std::wstring class_name(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

inline std::vector<HWND> children_of(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A top-level window of this process with exactly this title, or none after `patience`. Not necessarily
// visible: Wine's null display never shows the open-file dialog, though it works.
inline HWND wait_for_window(const std::wstring& title, std::chrono::milliseconds patience = std::chrono::seconds(20)) {
    struct Search {
        std::wstring title;
        HWND found = nullptr;
    } search{title};
    const auto give_up = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < give_up) {
        EnumWindows(
            [](HWND window, LPARAM context) {
                auto* s = reinterpret_cast<Search*>(context);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process == GetCurrentProcessId() && window_text(window) == s->title) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

// Waits until `ready` says the window is set up (its children made, its lists filled).
inline bool wait_until(const std::function<bool()>& ready, std::chrono::milliseconds patience = std::chrono::seconds(20)) {
    const auto give_up = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < give_up) {
        if (ready()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// Runs `answer` on its own thread with the window titled `title` once it shows (nullptr if it never does).
class WindowAnswerer {
public:
    WindowAnswerer(std::wstring title, std::function<void(HWND)> answer)
        : thread_([title = std::move(title), answer = std::move(answer)] { answer(wait_for_window(title)); }) {}
    ~WindowAnswerer() { thread_.join(); }
    WindowAnswerer(const WindowAnswerer&) = delete;
    WindowAnswerer& operator=(const WindowAnswerer&) = delete;

private:
    std::thread thread_;
};

// A plain top-level window of the tests' own class, destroyed with the object.
class TestWindow {
public:
    explicit TestWindow(DWORD style = WS_POPUP | WS_VISIBLE, int width = 820, int height = 711) {
        static const ATOM registered = [] {
            WNDCLASSW window_class{};
            window_class.lpfnWndProc = DefWindowProcW;
            window_class.hInstance = GetModuleHandleW(nullptr);
            window_class.lpszClassName = L"MorvaneTestWindow";
            return RegisterClassW(&window_class);
        }();
        (void)registered;
        handle = CreateWindowExW(0, L"MorvaneTestWindow", L"test window", style, 100, 50, width, height, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~TestWindow() {
        if (handle != nullptr) DestroyWindow(handle);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND handle = nullptr;
};

}  // namespace morvane::testing
