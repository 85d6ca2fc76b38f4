// The message box the program's failures show: the text, the title "Morvane", one OK button, over its owner.
#include "platform/win/message_box.h"
#include "platform/win/wide_text.h"
#include "tests/platform/win/system_windows.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace morvane::testing {
namespace {

struct SeenBox {
    bool appeared = false;
    HWND owner = nullptr;
    std::vector<std::wstring> buttons;
    std::vector<std::wstring> texts;  // the non-empty static texts
    int visible_icons = 0;
};

SeenBox look_and_press_ok(HWND box) {
    SeenBox seen;
    seen.appeared = box != nullptr && wait_until([&] { return IsWindowVisible(box) != FALSE; });
    if (!seen.appeared) return seen;
    seen.owner = GetWindow(box, GW_OWNER);
    for (HWND child : children_of(box)) {
        const std::wstring kind = class_name(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (_wcsicmp(kind.c_str(), L"Button") == 0 && IsWindowVisible(child)) seen.buttons.push_back(window_text(child));
        if (_wcsicmp(kind.c_str(), L"Static") == 0 && IsWindowVisible(child)) {
            // The box keeps its icon's place even without one; an icon shows only when it holds one.
            if ((style & SS_TYPEMASK) == SS_ICON) seen.visible_icons += SendMessageW(child, STM_GETICON, 0, 0) != 0;
            else if (!window_text(child).empty()) seen.texts.push_back(window_text(child));
        }
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return seen;
}

// A name in another alphabet is shown as it is.
TEST(MessageBoxOnWindows, ShowsTheTextUnderTheApplicationsTitleWithOnlyAnOkButtonAndNoIcon) {
    TestWindow owner;
    WinMessageBox box(owner.handle);
    const std::string text = reinterpret_cast<const char*>(u8"Could not read C:\\Картинки\\写真.jpg. Quitting...");
    SeenBox seen;
    {
        WindowAnswerer user(L"Morvane", [&](HWND window) { seen = look_and_press_ok(window); });
        box.show(text);
    }
    ASSERT_TRUE(seen.appeared) << "no window titled Morvane appeared";
    EXPECT_EQ(seen.owner, owner.handle);
    EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(seen.texts, std::vector<std::wstring>{wide_from_utf8(text)});
    EXPECT_EQ(seen.visible_icons, 0);
}

}  // namespace
}  // namespace morvane::testing
