// What a screen reader hears of morvane.exe's controls through the system's accessibility interface (oleacc):
// each control's role and name, the progress bar's value.
#include "app/forms/game_location.h"
#include "app/win/main_window.h"
#include "controls/win/gdi_text.h"
#include "platform/system/file_dialog.h"
#include "platform/system/message_box.h"
#include "platform/system/message_loop.h"
#include "tests/support/scripted_services.h"
#include "tests/support/temp_folder.h"
#include "texture/vtfmod.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <oleacc.h>
#undef MessageBox

#include <gtest/gtest.h>

#include <string>

namespace morvane::testing {
namespace {

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

struct AccessibleControls : ::testing::Test {
    AccessibleControls() {
        CoInitialize(nullptr);
        services.program_folder = temp.path();
        services.dialog = &dialog;
        services.messages = &messages;
        services.fx = &fx;
        services.texture = &texture;
        services.yield = yield_to_message_loop;
        services.write_vmt = app::write_material;
        services.end_program = [](int) {};
    }
    ~AccessibleControls() override { CoUninitialize(); }
    TempFolder temp;
    ScriptedFileDialog dialog;
    RecordingMessageBox messages;
    app::SystemCursor cursor;
    app::WindowEffects fx{cursor, yield_to_message_loop};
    texture::TextureModule texture;
    controls::GdiTextService text;
    app::MainServices services;
};

TEST_F(AccessibleControls, ButtonsAreHeardByTheirCaptionsAndTheCloseGlyphAsClose) {
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    const Heard build = hear(window.child(app::kMakeBackgroundId));
    EXPECT_EQ(build.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(build.name, L"Make Background");
    const Heard load = hear(window.child(app::kLoadPictureId));
    EXPECT_EQ(load.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(load.name, L"Load Picture");
    const Heard close = hear(window.child(app::kCloseGlyphId));
    EXPECT_EQ(close.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(close.name, L"Close");
}

TEST_F(AccessibleControls, TheListIsAComboBoxNamedResolutionShowingItsChoice) {
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    const Heard list = hear(window.child(app::kResolutionListId));
    EXPECT_EQ(list.role, ROLE_SYSTEM_COMBOBOX);
    EXPECT_EQ(list.name, L"Resolution");
    EXPECT_EQ(list.value, L"1024 x 1024");
}

TEST_F(AccessibleControls, TheProgressBarIsHeardAsOneWithItsValue) {
    app::MainWindow window(services, TwipsPerPixel{}, controls::FontSpec{}, text);
    app::ProgressView& progress = window.open_progress();
    app::LiveControl& bar = progress.controls().at(app::process_rows::elprogress1);
    bar.progress.set_Max(12);
    bar.progress.set_Value(3);
    progress.bar_changed();
    const Heard heard = hear(window.progress()->bar());
    EXPECT_EQ(heard.role, ROLE_SYSTEM_PROGRESSBAR);
    EXPECT_EQ(heard.value, L"25%");
}

}  // namespace
}  // namespace morvane::testing
