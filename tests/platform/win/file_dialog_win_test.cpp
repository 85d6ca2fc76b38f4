// The system's open-file dialog as "Load Picture" and the search for hl2.exe show it: the title and the filter
// it is given, the chosen name in UTF-8, nothing when cancelled.
#include "platform/win/file_dialog.h"
#include "platform/win/wide_text.h"
#include "tests/platform/win/system_windows.h"
#include "tests/support/temp_folder.h"

#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <fstream>

namespace morvane::testing {
namespace {

namespace fs = std::filesystem;

TEST(DialogFilter, EachEntryIsADescriptionAndItsPatternsEndedByNullsAndTheListByOneMore) {
    EXPECT_EQ(dialog_filter("Picture File(*.bmp,*.jpg)|*.bmp;*.jpg"),
              std::wstring(L"Picture File(*.bmp,*.jpg)\0*.bmp;*.jpg\0\0", 39));
    EXPECT_EQ(dialog_filter("hl2.exe (hl2.exe)|hl2.exe|All|*.*"),
              std::wstring(L"hl2.exe (hl2.exe)\0hl2.exe\0All\0*.*\0\0", 35));
    // Blanks around patterns and empty patterns are dropped; non-Latin descriptions survive.
    EXPECT_EQ(dialog_filter(reinterpret_cast<const char*>(u8"Картинки| *.bmp ; ;*.jpg")),
              std::wstring(L"Картинки\0*.bmp;*.jpg\0\0", 22));
}

TEST(DialogFilter, AFilterWithoutPatternsOffersEveryFile) {
    EXPECT_EQ(dialog_filter(""), L"");
    EXPECT_EQ(dialog_filter("Pictures|"), L"");
}

TEST(WideText, NamesInOtherAlphabetsGoBothWaysUnchanged) {
    const std::string name = reinterpret_cast<const char*>(u8"C:\\Игры\\写真 fotografía.jpg");
    EXPECT_EQ(wide_from_utf8(name), L"C:\\Игры\\写真 fotografía.jpg");
    EXPECT_EQ(utf8_from_wide(wide_from_utf8(name)), name);
    EXPECT_EQ(utf8_from_wide(L""), "");
}

TEST(WideText, BrokenUtf8BecomesReplacementCharactersNotSilence) {
    EXPECT_EQ(wide_from_utf8("a\xFF" "b"), L"a\xFFFD" L"b");
}

struct OpenFileDialog : ::testing::Test {
    OpenFileDialog() {
        picture = temp / std::u8string(u8"картина.bmp");
        std::ofstream(picture) << "BM";
    }
    TempFolder temp;
    fs::path picture;
    TestWindow owner;
};

// What the dialog showed, read by the answering thread.
struct Seen {
    bool appeared = false;
    HWND owner = nullptr;
    std::vector<std::wstring> file_types;
};

std::vector<std::wstring> combo_items(HWND combo) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(size_t(SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
        text.resize(size_t(SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(text.data()))));
        items.push_back(text);
    }
    return items;
}

// Waits for the dialog to be filled in, as a user would, then notes what it shows.
void look(HWND dialog, Seen& seen) {
    seen.appeared = dialog != nullptr &&
                    wait_until([&] { return SendMessageW(GetDlgItem(dialog, cmb1), CB_GETCOUNT, 0, 0) > 0; });
    if (!seen.appeared) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the rest of its set-up
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.file_types = combo_items(GetDlgItem(dialog, cmb1));
}

// Types the name and presses Open until the dialog goes (a press before it is ready is not taken).
void choose(HWND dialog, const fs::path& name) {
    wait_until([&] {
        // The name box: a combo box with a history in newer dialogs (cmb13), a plain edit in older ones.
        const int name_box = GetDlgItem(dialog, cmb13) != nullptr ? cmb13 : edt1;
        SetDlgItemTextW(dialog, name_box, name.wstring().c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return wait_until([&] { return !IsWindow(dialog); }, std::chrono::seconds(2));
    });
}

void cancel(HWND dialog) {
    wait_until([&] {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return wait_until([&] { return !IsWindow(dialog); }, std::chrono::seconds(2));
    });
}

TEST_F(OpenFileDialog, ShowsItsTitleAndFilterOverItsOwnerAndReturnsTheTypedNameInUtf8) {
    WinFileDialog dialog(owner.handle);
    dialog.title = "Load Picture...";
    dialog.filter = "Picture File(*.bmp,*.jpg)|*.bmp;*.jpg";
    Seen seen;
    const fs::path before = fs::current_path();
    {
        WindowAnswerer user(L"Load Picture...", [&](HWND window) {
            look(window, seen);
            if (seen.appeared) choose(window, picture);
        });
        dialog.show_open();
    }
    ASSERT_TRUE(seen.appeared);
    EXPECT_EQ(seen.owner, owner.handle);
    EXPECT_EQ(seen.file_types, std::vector<std::wstring>{L"Picture File(*.bmp,*.jpg)"});
    EXPECT_EQ(dialog.file_name, std::string(reinterpret_cast<const char*>(picture.u8string().c_str())));
    EXPECT_EQ(fs::current_path(), before) << "the dialog must leave the current folder alone";
}

TEST_F(OpenFileDialog, CancellingLeavesNoName) {
    WinFileDialog dialog(owner.handle);
    dialog.title = "Locate Your hl2.exe file.";
    dialog.filter = "hl2.exe (hl2.exe)|hl2.exe";
    dialog.file_name = picture.string();  // a name from before is not an answer
    Seen seen;
    {
        WindowAnswerer user(L"Locate Your hl2.exe file.", [&](HWND window) {
            look(window, seen);
            if (seen.appeared) cancel(window);
        });
        dialog.show_open();
    }
    ASSERT_TRUE(seen.appeared);
    EXPECT_EQ(seen.file_types, std::vector<std::wstring>{L"hl2.exe (hl2.exe)"});
    EXPECT_EQ(dialog.file_name, "");
}

}  // namespace
}  // namespace morvane::testing
