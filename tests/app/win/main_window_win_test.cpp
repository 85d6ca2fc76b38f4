// What morvane.exe's window adds over the core on Wine's null display: its children placed and showing their
// own pixels, the keyboard, a close or a session's end during a build, the system's progress bar as a screen
// reader hears it, the drag by the title and a dropped file.
#include "app/forms/game_location.h"
#include "app/win/main_window.h"
#include "controls/win/gdi_text.h"
#include "platform/system/file_dialog.h"
#include "platform/system/message_box.h"
#include "platform/system/message_loop.h"
#include "platform/win/pictures/picture_loader.h"
#include "platform/win/window_effects.h"
#include "tests/platform/win/pictures/wic_pictures.h"
#include "tests/support/scripted_services.h"
#include "tests/support/temp_folder.h"
#include "texture/vtfmod.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <shlobj.h>
#undef MessageBox

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

namespace fs = std::filesystem;

struct MainWindowOnWindows : ::testing::Test {
    MainWindowOnWindows() {
        fs::create_directories(temp / "game" / "cstrike" / "materials");
        std::ofstream(temp / "game" / "hl2.exe") << "MZ";
        services.program_folder = temp / "program";
        fs::create_directories(services.program_folder);
        services.dialog = &dialog;
        services.messages = &messages;
        services.fx = &fx;
        services.texture = &texture;
        services.yield = yield_to_message_loop;
        services.write_vmt = app::write_material;
        services.find_games = [] { return std::vector<std::string>{}; };
        services.load_picture = [](const fs::path& file) { return load_picture(file); };
        services.end_program = [this](int code) { ended_with = code; };
    }
    // Messages handled until `done` holds, or a few seconds have passed.
    static bool pump_until(const std::function<bool()>& done) {
        for (int i = 0; i < 1000 && !done(); ++i) yield_to_message_loop(), Sleep(5);
        return done();
    }
    TempFolder temp;
    ScriptedFileDialog dialog;
    RecordingMessageBox messages;
    app::SystemCursor cursor;
    app::WindowEffects fx{cursor, yield_to_message_loop};
    texture::TextureModule texture;
    controls::GdiTextService text;
    app::MainServices services;
    int ended_with = -1;
};

RECT place_in(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// What a screen reader hears through the system's accessibility interface (oleacc): role, name, value.
std::tuple<long, std::wstring, std::wstring> hear(HWND window) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void**>(&accessible))))
        return {-1, L"", L""};
    VARIANT self{}, role{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr, value = nullptr;
    accessible->get_accRole(self, &role);
    accessible->get_accName(self, &name);
    accessible->get_accValue(self, &value);
    std::tuple<long, std::wstring, std::wstring> heard{role.vt == VT_I4 ? role.lVal : -1, name ? name : L"", value ? value : L""};
    SysFreeString(name), SysFreeString(value), accessible->Release();
    return heard;
}

// Each child at its place in the Tab order, heard by a screen reader, and showing the core's pixels.
TEST_F(MainWindowOnWindows, ChildrenArePlacedInTabOrderHeardAndShowTheirOwnPixels) {
    CoInitialize(nullptr);
    {
        app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
        HWND main = window.window();
        const struct {
            app::ChildId id;
            RECT place;
            long role;
            std::wstring name, value;
        } children[] = {{app::kResolutionListId, {80, 677, 265, 697}, ROLE_SYSTEM_COMBOBOX, L"Resolution", L"1024 x 1024"},
                        {app::kMakeBackgroundId, {569, 675, 686, 699}, ROLE_SYSTEM_PUSHBUTTON, L"Make Background", L""},
                        {app::kLoadPictureId, {692, 675, 809, 699}, ROLE_SYSTEM_PUSHBUTTON, L"Load Picture", L""},
                        {app::kCloseGlyphId, {796, 8, 807, 22}, ROLE_SYSTEM_PUSHBUTTON, L"Close", L""}};
        for (size_t i = 0; i < 4; ++i) {
            HWND child = window.child(children[i].id), next = window.child(children[(i + 1) % 4].id);
            const RECT r = place_in(child, main), p = children[i].place;
            EXPECT_TRUE(r.left == p.left && r.top == p.top && r.right == p.right && r.bottom == p.bottom) << i;
            EXPECT_EQ(GetNextDlgTabItem(main, child, FALSE), next) << "Tab from " << i;
            EXPECT_EQ(GetNextDlgTabItem(main, next, TRUE), child) << "Shift+Tab back to " << i;
            EXPECT_EQ(hear(child), std::make_tuple(children[i].role, children[i].name, children[i].value)) << i;
        }
        // The button's own window shows the core's face: its fill and its raised light top edge.
        ShowWindow(main, SW_SHOWNA);
        UpdateWindow(main);
        HDC dc = GetDC(window.child(app::kMakeBackgroundId));
        EXPECT_EQ(GetPixel(dc, 50, 0), COLORREF(0x95AAA0)) << "Color3DLight on the top edge";
        EXPECT_EQ(GetPixel(dc, 3, 20), COLORREF(0x646464));
        ReleaseDC(window.child(app::kMakeBackgroundId), dc);

        // The progress window's bar is the system's own control: screen readers hear its role and value.
        app::ProgressView& progress = window.open_progress();
        HWND bar = window.progress()->bar();
        app::LiveControl& elprogress1 = progress.controls().at(app::process_rows::elprogress1);
        elprogress1.progress.set_Max(12);
        elprogress1.progress.set_Value(3);
        progress.bar_changed();
        EXPECT_EQ(hear(bar), std::make_tuple(long(ROLE_SYSTEM_PROGRESSBAR), std::wstring(L""), std::wstring(L"25%")));
    }
    CoUninitialize();
}

// The focus mark shows only after a key; Enter presses the focused button. A close mid-build (taskkill,
// Alt+F4) and a session's end wait for the build; the notice goes when its timer fires.
TEST_F(MainWindowOnWindows, KeysMoveTheFocusMarkAndABuildClosedMidwayFinishesThenEnds) {
    dialog.answer(reinterpret_cast<const char*>((temp / "game" / "hl2.exe").u8string().c_str()));
    app::MainWindow* made = nullptr;
    services.end_program = [&](int code) { ended_with = code, made->hide(); };
    LRESULT session_may_end = TRUE;
    services.yield = [&] {
        if (made->form().building() && session_may_end) session_may_end = SendMessageW(made->window(), WM_QUERYENDSESSION, 0, 0);
        yield_to_message_loop();
    };
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    made = &window;
    window.show();
    ASSERT_TRUE(pump_until([&] { return !window.form().console_path().empty(); }));
    HWND list = window.child(app::kResolutionListId), build = window.child(app::kMakeBackgroundId);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_FALSE(window.focus_mark_shown());
    PostMessageW(list, WM_KEYDOWN, VK_TAB, 0x000F0001);
    pump_until([&] { return GetFocus() != list; });
    EXPECT_EQ(GetFocus(), build);
    EXPECT_TRUE(window.focus_mark_shown());

    // Enter on Make Background, then a close while it builds.
    SendMessageW(window.window(), WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    PostMessageW(window.window(), WM_CLOSE, 0, 0);
    const fs::path vtf = temp / "game" / "cstrike" / "materials" / "console" / "background01.vtf";
    ASSERT_TRUE(pump_until([&] { return fs::exists(vtf) && !window.form().building(); }));
    EXPECT_EQ(fs::file_size(vtf), 1398320u);  // 1024 x 1024 DXT5 with its chain: written whole
    EXPECT_EQ(session_may_end, FALSE);
    EXPECT_EQ(ended_with, 0);
    EXPECT_EQ(window.progress(), nullptr) << "the progress window is unloaded after the build";
    EXPECT_TRUE(window.form().notice_shown());
    SendMessageW(window.window(), WM_TIMER, 1, 0);
    EXPECT_FALSE(window.form().notice_shown());
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
}

// A file list as Explorer hands one over when a file is dropped.
HGLOBAL dropped(const fs::path& file) {
    const std::wstring name = file.wstring();
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    name.copy(reinterpret_cast<wchar_t*>(drop + 1), name.size());
    GlobalUnlock(memory);
    return memory;
}

TEST_F(MainWindowOnWindows, TheTitleDragsTheWindowAndADroppedPictureLoads) {
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    HWND main = window.window();
    move_window(main, 100, 40);
    ShowWindow(main, SW_SHOWNA);
    // Pressed at (x, y) of the client, moved with the cursor to the screen's (to_x, to_y), then released.
    const auto drag = [&](int x, int y, int to_x, int to_y) {
        SetCursorPos(100 + x, 40 + y);
        SendMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SetCursorPos(to_x, to_y);
        SendMessageW(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        SetCursorPos(600, 500);
        SendMessageW(main, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        RECT r{};
        GetWindowRect(main, &r);
        return std::make_pair(r.left, r.top);
    };
    EXPECT_EQ(drag(200, 12, 350, 82), std::make_pair(150L, 70L)) << "the title follows at the grab point's distance";
    EXPECT_EQ(drag(400, 300, 10, 10), std::make_pair(150L, 70L)) << "a press on the preview is no drag";

    const fs::path picture = temp / std::u8string(u8"картина.bmp");
    std::ofstream(picture, std::ios::binary) << bmp24(pattern(37, 21));
    SendMessageW(main, WM_DROPFILES, WPARAM(dropped(picture)), 0);
    EXPECT_EQ(std::make_pair(window.form().Picture1().width_pixels(), window.form().Picture1().height_pixels()), std::make_pair(37, 21));
}

}  // namespace
}  // namespace morvane::testing
