// morvane.exe's main window on Wine's null display, with the dialog and the message box scripted: its shape
// and opacity as the system holds them, its controls where the layout puts them and in its Tab order, the
// start-up that locates the game, and a build that writes the textures.
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

#include <fstream>
#include <functional>

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
        for (int i = 0; i < 1000 && !done(); ++i) {
            yield_to_message_loop();
            Sleep(5);
        }
        return done();
    }

    std::string hl2() const {
        const std::u8string u8 = (temp / "game" / "hl2.exe").u8string();
        return std::string(u8.begin(), u8.end());
    }

    static RECT place_in(HWND child, HWND parent) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        return r;
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

void expect_place(RECT r, int x, int y, int width, int height, const char* what) {
    EXPECT_EQ(r.left, x) << what;
    EXPECT_EQ(r.top, y) << what;
    EXPECT_EQ(r.right - r.left, width) << what;
    EXPECT_EQ(r.bottom - r.top, height) << what;
}

TEST_F(MainWindowOnWindows, IsRoundedAndInvisibleAfterLoadWithEachControlWhereTheLayoutPutsIt) {
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    HWND main = window.window();
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 820);
    EXPECT_EQ(client.bottom, 711);
    EXPECT_EQ(window_region_box(main), (RegionBox{0, 0, 820, 711})) << "the whole window, its last column and row too";
    EXPECT_FALSE(region_contains(main, 0, 0)) << "a rounded corner";
    EXPECT_TRUE(region_contains(main, 819, 355));
    EXPECT_TRUE(region_contains(main, 410, 710));
    EXPECT_EQ(layered_opacity(main), uint8_t(0));
    EXPECT_EQ(GetWindowLongW(main, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << "no system frame";
    expect_place(place_in(window.child(app::kResolutionListId), main), 80, 677, 185, 20, "the resolution list");
    expect_place(place_in(window.child(app::kMakeBackgroundId), main), 569, 675, 117, 24, "Make Background");
    expect_place(place_in(window.child(app::kLoadPictureId), main), 692, 675, 117, 24, "Load Picture");
    expect_place(place_in(window.child(app::kCloseGlyphId), main), 796, 8, 11, 14, "the close glyph");
    // The list holds the two sizes with the first chosen.
    HWND list = window.child(app::kResolutionListId);
    ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(window.form().Picture2().width_pixels(), 1024);
}

TEST_F(MainWindowOnWindows, EachControlShowsItsOwnRectangleOfTheCoresPixels) {
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    EXPECT_EQ(window.pixels().pixel(3, 400), (Bgra{0x64, 0x64, 0x64, 255})) << "the form's colour";
    // The button's own window shows the core's face: its fill 0x646464 and its raised light top edge.
    HWND button = window.child(app::kMakeBackgroundId);
    ShowWindow(window.window(), SW_SHOWNA);
    UpdateWindow(window.window());
    HDC dc = GetDC(button);
    const COLORREF edge = GetPixel(dc, 50, 0), fill = GetPixel(dc, 3, 20);
    ReleaseDC(button, dc);
    EXPECT_EQ(edge, COLORREF(0x95AAA0)) << "Color3DLight on the top edge";
    EXPECT_EQ(fill, COLORREF(0x646464));
}

TEST_F(MainWindowOnWindows, TabGoesRoundTheListTheTwoButtonsAndTheCloseGlyph) {
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    HWND main = window.window();
    HWND order[] = {window.child(app::kResolutionListId), window.child(app::kMakeBackgroundId),
                    window.child(app::kLoadPictureId), window.child(app::kCloseGlyphId)};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(GetNextDlgTabItem(main, order[i], FALSE), order[(i + 1) % 4]) << "Tab from " << i;
        EXPECT_EQ(GetNextDlgTabItem(main, order[(i + 1) % 4], TRUE), order[i]) << "Shift+Tab back to " << i;
    }
}

TEST_F(MainWindowOnWindows, StartsWithTheFocusOnTheListShowsTheFocusMarkOnlyAfterAKeyAndEnterPressesAButton) {
    dialog.answer(hl2());
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    window.show();
    ASSERT_TRUE(pump_until([&] { return !window.form().console_path().empty(); }));
    HWND list = window.child(app::kResolutionListId);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_FALSE(window.focus_mark_shown());
    EXPECT_FALSE(window.form().elcombo1().state.focus_mark);

    PostMessageW(list, WM_KEYDOWN, VK_TAB, 0x000F0001);
    pump_until([&] { return GetFocus() != list; });
    EXPECT_EQ(GetFocus(), window.child(app::kMakeBackgroundId));
    EXPECT_TRUE(window.focus_mark_shown());
    EXPECT_TRUE(window.form().elboton2().state.focus_mark);
    EXPECT_FALSE(window.form().elcombo1().state.focus_mark);

    // Enter presses the focused button, as Space does.
    SetFocus(window.child(app::kLoadPictureId));
    SendMessageW(window.window(), WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    ASSERT_TRUE(pump_until([&] { return dialog.shown.size() == 2; })) << "Load Picture's dialog";
}

// A close mid-build (taskkill, Alt+F4) and a session's end wait for the build: the program's end hides the
// window and frees its progress window, which the build still moves.
TEST_F(MainWindowOnWindows, FirstActivationLocatesTheGameAndABuildClosedMidwayWritesTheTextureThenEnds) {
    dialog.answer(hl2());
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
    EXPECT_EQ(layered_opacity(window.window()), uint8_t(230));
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].title, "Locate Your cstrike.exe or hl2.exe file.");
    const fs::path console = temp / "game" / "cstrike" / "materials" / "console";
    EXPECT_TRUE(fs::exists(services.program_folder / "config.dat"));
    EXPECT_TRUE(fs::exists(console / "background01.vmt"));

    // Space on the focused button, as the keyboard presses it.
    HWND build = window.child(app::kMakeBackgroundId);
    SetFocus(build);
    PostMessageW(window.window(), WM_CLOSE, 0, 0);
    SendMessageW(build, BM_CLICK, 0, 0);
    ASSERT_TRUE(pump_until([&] { return fs::exists(console / "background01.vtf") && !window.form().building(); }));
    EXPECT_EQ(fs::file_size(console / "background01.vtf"), 1398320u);  // 1024 x 1024 DXT5 with its chain
    EXPECT_EQ(session_may_end, FALSE);
    EXPECT_EQ(ended_with, 0);
    EXPECT_EQ(window.progress(), nullptr) << "the progress window is unloaded after the build";
    EXPECT_TRUE(window.form().notice_shown());
    SendMessageW(window.window(), WM_TIMER, 1, 0);  // the notice's time is over
    EXPECT_FALSE(window.form().notice_shown());
    EXPECT_TRUE(IsWindowEnabled(window.window())) << "the window takes input again";
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
}

TEST_F(MainWindowOnWindows, TheProgressWindowIsRoundedTranslucentAndItsBarIsTheSystemsProgressControl) {
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    app::ProgressView& progress = window.open_progress();
    HWND process = window.progress()->window();
    EXPECT_EQ(window_region_box(process), (RegionBox{0, 0, 312, 71}));
    EXPECT_EQ(layered_opacity(process), uint8_t(150));
    HWND bar = window.progress()->bar();
    wchar_t kind[64] = {};
    GetClassNameW(bar, kind, 64);
    EXPECT_STREQ(kind, PROGRESS_CLASSW);
    expect_place(place_in(bar, process), 8, 26, 296, 24, "the bar");
    app::LiveControl& elprogress1 = progress.controls().at(app::process_rows::elprogress1);
    elprogress1.progress.set_Max(11);
    elprogress1.progress.set_Value(6);
    progress.bar_changed();
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 6) << "screen readers hear the bar's value";
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 11);
    window.close_progress();
    EXPECT_FALSE(IsWindow(process));
}

TEST_F(MainWindowOnWindows, TheTitleDragsTheWindowWithTheCursorWithoutAJumpAndStopsOnRelease) {
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    HWND main = window.window();
    move_window(main, 100, 40);
    ShowWindow(main, SW_SHOWNA);
    ASSERT_TRUE(SetCursorPos(100 + 200, 40 + 12));
    SendMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 12));  // on the title label
    ASSERT_TRUE(SetCursorPos(100 + 250, 40 + 42));
    SendMessageW(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 42));
    RECT r{};
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 150) << "the corner follows the cursor at the grab point's distance";
    EXPECT_EQ(r.top, 70);
    SendMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(200, 12));
    ASSERT_TRUE(SetCursorPos(600, 500));
    SendMessageW(main, WM_MOUSEMOVE, 0, MAKELPARAM(200, 12));
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 150) << "after release the window stays";
    // A press on the preview is no drag.
    SendMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 300));
    ASSERT_TRUE(SetCursorPos(10, 10));
    SendMessageW(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 300));
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 150);
    SendMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(400, 300));
}

// A file list as Explorer hands one over when a file is dropped.
HGLOBAL dropped(const fs::path& file) {
    const std::wstring name = file.wstring();
    const size_t bytes = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    name.copy(reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES)), name.size());
    GlobalUnlock(memory);
    return memory;
}

TEST_F(MainWindowOnWindows, APictureDroppedOnTheWindowLoadsAsLoadPictureWould) {
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    EXPECT_NE(GetWindowLongW(window.window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    const fs::path picture = temp / std::u8string(u8"картина.bmp");
    std::ofstream(picture, std::ios::binary) << bmp24(pattern(37, 21));
    SendMessageW(window.window(), WM_DROPFILES, WPARAM(dropped(picture)), 0);
    EXPECT_EQ(window.form().Picture1().width_pixels(), 37);
    EXPECT_EQ(window.form().Picture1().height_pixels(), 21);
    EXPECT_EQ(window.form().Picture2().width_pixels(), 1024) << "stretched to the chosen size";

}

// What a screen reader hears through the system's accessibility interface (oleacc).
struct Heard {
    long role = -1;
    std::wstring name;
    std::wstring value;
};

Heard hear(HWND window) {
    Heard heard;
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&accessible))) ||
        accessible == nullptr)
        return heard;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role;
    VariantInit(&role);
    if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) heard.role = role.lVal;
    BSTR text = nullptr;
    if (SUCCEEDED(accessible->get_accName(self, &text)) && text != nullptr) heard.name = text;
    SysFreeString(text);
    text = nullptr;
    if (SUCCEEDED(accessible->get_accValue(self, &text)) && text != nullptr) heard.value = text;
    SysFreeString(text);
    accessible->Release();
    return heard;
}

TEST_F(MainWindowOnWindows, ScreenReadersHearEachControlsRoleNameAndValue) {
    CoInitialize(nullptr);
    {
        app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
        const struct {
            app::ChildId id;
            long role;
            std::wstring name, value;
        } expected[] = {{app::kMakeBackgroundId, ROLE_SYSTEM_PUSHBUTTON, L"Make Background", L""},
                        {app::kLoadPictureId, ROLE_SYSTEM_PUSHBUTTON, L"Load Picture", L""},
                        {app::kCloseGlyphId, ROLE_SYSTEM_PUSHBUTTON, L"Close", L""},
                        {app::kResolutionListId, ROLE_SYSTEM_COMBOBOX, L"Resolution", L"1024 x 1024"}};
        for (const auto& e : expected) {
            const Heard heard = hear(window.child(e.id));
            EXPECT_EQ(heard.role, e.role);
            EXPECT_EQ(heard.name, e.name);
            EXPECT_EQ(heard.value, e.value);
        }
        app::ProgressView& progress = window.open_progress();
        app::LiveControl& bar = progress.controls().at(app::process_rows::elprogress1);
        bar.progress.set_Max(12);
        bar.progress.set_Value(3);
        progress.bar_changed();
        const Heard heard = hear(window.progress()->bar());
        EXPECT_EQ(heard.role, ROLE_SYSTEM_PROGRESSBAR);
        EXPECT_EQ(heard.value, L"25%");
    }
    CoUninitialize();
}

}  // namespace
}  // namespace morvane::testing
