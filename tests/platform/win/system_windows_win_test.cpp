// The system's own windows as the program uses them, read back from the system: the screen's twips, the
// windows' outline, opacity and move, the yield inside long loops, and the message box and open-file dialog
// answered as a user would, from a helper thread while the test's thread sits inside the call that shows them.
#include "platform/system/message_loop.h"
#include "platform/win/dialog_windows.h"
#include "platform/win/file_dialog.h"
#include "platform/win/message_box.h"
#include "platform/win/screen_metrics.h"
#include "platform/win/wide_text.h"
#include "platform/win/window_effects.h"
#include "tests/support/temp_folder.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace morvane::testing {
namespace {

namespace fs = std::filesystem;

// A plain visible top-level window, destroyed with the object.
struct Popup {
    HWND handle = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 50, 820, 711, nullptr, nullptr, nullptr, nullptr);
    ~Popup() { DestroyWindow(handle); }
};

// Read without a message to the window: its own thread may be busy.
std::wstring window_text(HWND window) {
    wchar_t text[1024] = {};
    InternalGetWindowText(window, text, 1024);
    return text;
}

bool wait_until(const std::function<bool()>& ready, int patience_ms = 20000) {
    for (int waited = 0; !ready(); waited += 20) {
        if (waited > patience_ms) return false;
        Sleep(20);
    }
    return true;
}

// This process's top-level window with the title, or none after 20 seconds. Not necessarily visible: Wine's
// null display never shows the open-file dialog, though it works.
HWND wait_for_window(const std::wstring& title) {
    HWND found = nullptr;
    wait_until([&] {
        for (HWND w = GetTopWindow(nullptr); w != nullptr && found == nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            if (process == GetCurrentProcessId() && window_text(w) == title) found = w;
        }
        return found != nullptr;
    });
    return found;
}

TEST(ScreenAndWindowEffects, TwipsComeFromTheScreenAndTheOutlineOpacityAndPlaceFromTheSystem) {
    EXPECT_EQ(twips_per_pixel_at(120, 144), (TwipsPerPixel{12, 10}));
    EXPECT_EQ(twips_per_pixel_at(0, -5), (TwipsPerPixel{15, 15})) << "a screen without dots per inch counts as 96";
    HDC screen = GetDC(nullptr);
    EXPECT_DOUBLE_EQ(screen_twips_per_pixel().y, 1440.0 / GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);

    Popup window;
    EXPECT_FALSE(window_region_box(window.handle).has_value());
    set_round_region(window.handle, 820, 711, 20);
    // As everywhere in GDI, a round rectangle's region leaves out its last column and row; a 20 x 20 ellipse
    // cuts about 3 pixels along each edge from the corner.
    EXPECT_EQ(window_region_box(window.handle), (RegionBox{0, 0, 819, 710}));
    for (const auto& [x, y, inside] : {std::tuple{0, 0, false}, {1, 1, false}, {819, 710, false}, {10, 10, true}, {410, 0, true}, {818, 355, true}})
        EXPECT_EQ(region_contains(window.handle, x, y), inside) << x << "," << y;

    // The window's other extended styles stay.
    SetWindowLongW(window.handle, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES);
    set_layered_opacity(window.handle, 150);
    EXPECT_EQ(layered_opacity(window.handle), uint8_t(150));
    EXPECT_EQ(GetWindowLongW(window.handle, GWL_EXSTYLE), WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES);

    move_window(window.handle, 37, -12);
    RECT rect{};
    GetWindowRect(window.handle, &rect);
    EXPECT_TRUE(rect.left == 37 && rect.top == -12 && rect.right == 37 + 820 && rect.bottom == -12 + 711);
    ASSERT_TRUE(SetCursorPos(300, 200));
    EXPECT_EQ(cursor_position(), (ScreenPoint{300, 200}));
}

int handled = 0;  // WM_APP messages the counting window was handed

// Every waiting message is handled before the yield returns, the end of the program is left for the main
// loop, and Tab moves the focus in a window on the dialog windows' list only.
TEST(YieldToMessageLoop, HandlesEveryWaitingMessageLeavesTheQuitAndGivesDialogKeysToListedWindows) {
    HWND counting = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(counting, GWLP_WNDPROC, LONG_PTR(+[](HWND w, UINT message, WPARAM wp, LPARAM lp) -> LRESULT {
                          handled += message == WM_APP;
                          return DefWindowProcW(w, message, wp, lp);
                      }));
    for (int i = 0; i < 5; ++i) PostMessageW(counting, WM_APP, 0, 0);
    PostQuitMessage(3);
    yield_to_message_loop();
    EXPECT_EQ(handled, 5);
    MSG left;
    ASSERT_TRUE(PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(left.message == WM_QUIT && left.wParam == 3);
    EXPECT_FALSE(PeekMessageW(&left, nullptr, 0, 0, PM_NOREMOVE)) << "a message was left waiting";
    DestroyWindow(counting);

    Popup window;
    HWND first = CreateWindowExW(0, L"BUTTON", L"first", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 100, 24, window.handle, nullptr, nullptr, nullptr);
    HWND second = CreateWindowExW(0, L"BUTTON", L"second", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 110, 0, 100, 24, window.handle, nullptr, nullptr, nullptr);
    SetForegroundWindow(window.handle);
    SetFocus(first);
    add_dialog_window(window.handle);
    PostMessageW(first, WM_KEYDOWN, VK_TAB, 0x000F0001);
    yield_to_message_loop();
    EXPECT_EQ(GetFocus(), second);
    remove_dialog_window(window.handle);
    PostMessageW(second, WM_KEYDOWN, VK_TAB, 0x000F0001);
    yield_to_message_loop();
    EXPECT_EQ(GetFocus(), second) << "a window taken off the list gets no dialog keys";
}

TEST(WideTextAndDialogFilter, NamesInOtherAlphabetsGoBothWaysAndEachFilterEntryEndsInANull) {
    const std::string name = reinterpret_cast<const char*>(u8"C:\\Игры\\写真 fotografía.jpg");
    EXPECT_EQ(wide_from_utf8(name), L"C:\\Игры\\写真 fotografía.jpg");
    EXPECT_EQ(utf8_from_wide(wide_from_utf8(name)), name);
    EXPECT_EQ(wide_from_utf8("a\xFF" "b"), L"a\xFFFD" L"b") << "broken UTF-8 becomes replacement characters";
    // Blanks around patterns and empty patterns are dropped; without patterns the dialog offers every file.
    const std::pair<const char*, std::wstring> filters[] = {
        {"hl2.exe (hl2.exe)|hl2.exe|All|*.*", std::wstring(L"hl2.exe (hl2.exe)\0hl2.exe\0All\0*.*\0\0", 35)},
        {reinterpret_cast<const char*>(u8"Картинки| *.bmp ; ;*.jpg"), std::wstring(L"Картинки\0*.bmp;*.jpg\0\0", 22)},
        {"", L""},
        {"Pictures|", L""}};
    for (const auto& [bar, wide] : filters) EXPECT_EQ(dialog_filter(bar), wide) << bar;
}

// A name in another alphabet is shown as it is, under the title "Morvane", with one OK button, no icon.
TEST(MessageBoxOnWindows, ShowsTheTextOverItsOwnerWithOnlyAnOkButtonAndNoIcon) {
    Popup owner;
    const std::string text = reinterpret_cast<const char*>(u8"Could not read C:\\Картинки\\写真.jpg. Quitting...");
    HWND seen_owner = nullptr;
    std::vector<std::wstring> buttons, texts;
    int icons = 0;
    {
        std::jthread user([&] {
            HWND box = wait_for_window(L"Morvane");
            if (box == nullptr || !wait_until([&] { return IsWindowVisible(box) != FALSE; })) return;
            seen_owner = GetWindow(box, GW_OWNER);
            for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
                wchar_t kind[64] = {};
                GetClassNameW(child, kind, 64);
                if (!IsWindowVisible(child)) continue;
                if (_wcsicmp(kind, L"Button") == 0) buttons.push_back(window_text(child));
                // The box keeps its icon's place even without one; an icon shows only when it holds one.
                else if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) icons += SendMessageW(child, STM_GETICON, 0, 0) != 0;
                else if (!window_text(child).empty()) texts.push_back(window_text(child));
            }
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        WinMessageBox(owner.handle).show(text);
    }
    EXPECT_EQ(seen_owner, owner.handle) << "no window titled Morvane over its owner";
    EXPECT_EQ(buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(texts, std::vector<std::wstring>{wide_from_utf8(text)});
    EXPECT_EQ(icons, 0);
}

// Shows the dialog titled `title` with `filter` over a window; a user types `answer` and presses Open, or
// Cancel when it is empty. Returns the file types it offered and whether it was over the window.
std::vector<std::wstring> answer_dialog(WinFileDialog& dialog, HWND owner, const std::wstring& answer) {
    std::vector<std::wstring> types;
    std::jthread user([&] {
        HWND shown = wait_for_window(wide_from_utf8(dialog.title));
        HWND list = GetDlgItem(shown, cmb1);
        if (shown == nullptr || !wait_until([&] { return SendMessageW(list, CB_GETCOUNT, 0, 0) > 0; })) return;
        Sleep(200);  // the rest of its set-up
        if (GetWindow(shown, GW_OWNER) != owner) types.push_back(L"(not over its owner)");
        for (LRESULT i = 0, n = SendMessageW(list, CB_GETCOUNT, 0, 0); i < n; ++i) {
            std::wstring type(size_t(SendMessageW(list, CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
            type.resize(size_t(SendMessageW(list, CB_GETLBTEXT, WPARAM(i), LPARAM(type.data()))));
            types.push_back(type);
        }
        // Until the dialog goes: a press before it is ready is not taken. The name box is a combo box with a
        // history in newer dialogs (cmb13), a plain edit in older ones.
        wait_until([&] {
            SetDlgItemTextW(shown, GetDlgItem(shown, cmb13) != nullptr ? cmb13 : edt1, answer.c_str());
            PostMessageW(shown, WM_COMMAND, answer.empty() ? IDCANCEL : IDOK, 0);
            return wait_until([&] { return !IsWindow(shown); }, 2000);
        });
    });
    dialog.show_open();
    return types;
}

TEST(OpenFileDialog, ShowsItsTitleAndFilterOverItsOwnerAndReturnsTheTypedNameInUtf8OrNothingWhenCancelled) {
    const TempFolder temp;
    const fs::path picture = temp / std::u8string(u8"картина.bmp");
    std::ofstream(picture) << "BM";
    Popup owner;
    WinFileDialog dialog(owner.handle);
    dialog.title = "Load Picture...";
    dialog.filter = "Picture File(*.bmp,*.jpg)|*.bmp;*.jpg";
    const fs::path before = fs::current_path();
    EXPECT_EQ(answer_dialog(dialog, owner.handle, picture.wstring()), std::vector<std::wstring>{L"Picture File(*.bmp,*.jpg)"});
    EXPECT_EQ(dialog.file_name, std::string(reinterpret_cast<const char*>(picture.u8string().c_str())));
    EXPECT_EQ(fs::current_path(), before) << "the dialog must leave the current folder alone";
    dialog.title = "Locate Your hl2.exe file.";  // the name from before is not an answer
    EXPECT_EQ(answer_dialog(dialog, owner.handle, L"").size(), 1u);
    EXPECT_EQ(dialog.file_name, "");
}

}  // namespace
}  // namespace morvane::testing
