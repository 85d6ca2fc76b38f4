#include "app/win/main_window.h"

#include "app/core/utf8_path.h"
#include "app/forms/dropped_picture.h"
#include "app/win/accessible_facts.h"
#include "app/win/screen_pixels.h"
#include "app/win/window_class.h"
#include "platform/win/dialog_windows.h"
#include "platform/win/wide_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>

#include <vector>

namespace morvane::app {
namespace {

constexpr wchar_t kClassName[] = L"MorvaneMain";
constexpr UINT kActivateMessage = WM_APP + 1;  // the first activation's start-up, run from the loop
constexpr UINT_PTR kNoticeTimer = 1;
constexpr UINT_PTR kListSubclass = 1;
constexpr int kListEntryHeight = 16;  // pixels: one entry of the open drop-down list

LRESULT CALLBACK main_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || message == WM_NCCREATE) return DefWindowProcW(window, message, w, l);
    return self->handle(window, message, w, l);
}

LRESULT CALLBACK list_procedure(HWND list, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, list_procedure, kListSubclass);
        return DefSubclassProc(list, message, w, l);
    }
    return reinterpret_cast<MainWindow*>(data)->handle_list(list, message, w, l);
}

void register_class() {
    [[maybe_unused]] static const ATOM once = register_window_class(kClassName, main_procedure, true);
}

bool inside(PixelRect r, int x, int y) { return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height; }

// The pixels of `rect` of `image` onto `dc` at (0, 0).
void show_piece(HDC dc, const Image32& image, PixelRect rect) { show_pixels(dc, image, rect, 0, 0); }

}  // namespace

MainWindow::MainWindow(MainServices services, TwipsPerPixel ratios, const controls::FontSpec& window_font,
                       controls::TextService& text)
    : services_(services), form_(std::move(services), ratios, window_font), ratios_(ratios), font_(window_font),
      text_(text) {
    register_class();
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    const FormDefinition& layout = form_.controls().layout();
    window_ = CreateWindowExW(WS_EX_APPWINDOW, kClassName, L"Morvane", WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX |
                                                                            WS_SYSMENU,
                              0, 0, layout.client_width, layout.client_height, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    shell_.attach(window_);
    create_children();
    DragAcceptFiles(window_, TRUE);
    add_dialog_window(window_);
    // The list's entries and choice are the core's; the system's list shows them.
    form_.elcombo1().on_entries_changed = [this] { sync_list(); };
    // Windows shows the focus mark once the keyboard is used in a window, not before.
    SendMessageW(window_, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    form_.Form_Load(*this);
    sync_list();
    refresh(true);
}

MainWindow::~MainWindow() {
    progress_.reset();
    remove_dialog_window(window_);
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void MainWindow::create_children() {
    WindowControls& controls = form_.controls();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto place_of = [&](size_t row) { return controls.window_place(controls.at(row)); };
    auto button = [&](size_t row, int id) {
        const std::wstring text = wide_from_utf8(heard_name(controls.at(row)));
        const PixelRect p = place_of(row);
        return CreateWindowExW(0, L"BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, p.x, p.y,
                               p.width, p.height, window_, HMENU(INT_PTR(id)), instance, nullptr);
    };
    // Created in Tab order: the resolution list, "Make Background", "Load Picture", the close glyph.
    const PixelRect list = place_of(main_rows::elcombo1);
    list_ = CreateWindowExW(0, L"COMBOBOX", L"Resolution",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                CBS_HASSTRINGS,
                            list.x, list.y, list.width, list.height + 4 * kListEntryHeight, window_,
                            HMENU(INT_PTR(kResolutionListId)), instance, nullptr);
    SetWindowSubclass(list_, list_procedure, kListSubclass, DWORD_PTR(this));
    fit_list_height();
    build_ = button(main_rows::elboton2, kMakeBackgroundId);
    load_ = button(main_rows::elboton1, kLoadPictureId);
    close_ = button(main_rows::Label2, kCloseGlyphId);

    // Screen readers hear each control by the name the core gives it, the list with its choice as the value.
    for (HWND b : {build_, load_, close_}) {
        wchar_t caption[128] = {};
        GetWindowTextW(b, caption, 128);
        give_accessible_facts(b, AccessibleFacts{ROLE_SYSTEM_PUSHBUTTON, caption, {}});
    }
    HWND shown = list_;
    give_accessible_facts(list_, AccessibleFacts{ROLE_SYSTEM_COMBOBOX,
                                                 wide_from_utf8(heard_name(controls.at(main_rows::elcombo1))), [shown] {
                                                     wchar_t text[128] = {};
                                                     GetWindowTextW(shown, text, 128);
                                                     return std::wstring(text);
                                                 }});
}

void MainWindow::fit_list_height() {
    // The system sizes a drop-down list from its selection field's height: make the whole control as high
    // as the layout's row, whatever borders this system's list adds.
    const int wanted = form_.controls().at(main_rows::elcombo1).place.height;
    // What the field's height reads back is not always what was asked for; steer by the window's own height.
    int asked = wanted - 6;
    for (int attempt = 0; attempt < 4 && asked > 0; ++attempt) {
        SendMessageW(list_, CB_SETITEMHEIGHT, WPARAM(-1), LPARAM(asked));
        RECT r{};
        GetWindowRect(list_, &r);
        const int now = int(r.bottom - r.top);
        if (now == wanted) return;
        asked += wanted - now;
    }
}

void MainWindow::sync_list() {
    if (list_ == nullptr) return;
    const controls::ComboList& list = form_.elcombo1().list();
    const LRESULT count = SendMessageW(list_, CB_GETCOUNT, 0, 0);
    bool same = count == list.ListCount();
    for (int i = 0; same && i < count; ++i) {
        std::wstring text(size_t(SendMessageW(list_, CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
        text.resize(size_t(SendMessageW(list_, CB_GETLBTEXT, WPARAM(i), LPARAM(text.data()))));
        same = utf8_from_wide(text) == list.GetList(int16_t(i));
    }
    if (!same) {
        SendMessageW(list_, CB_RESETCONTENT, 0, 0);
        for (const std::string& entry : list.entries())
            SendMessageW(list_, CB_ADDSTRING, 0, LPARAM(wide_from_utf8(entry).c_str()));
    }
    if (SendMessageW(list_, CB_GETCURSEL, 0, 0) != list.GetListIndex())
        SendMessageW(list_, CB_SETCURSEL, WPARAM(list.GetListIndex()), 0);
}

WindowHandle MainWindow::child(ChildId id) const {
    switch (id) {
        case kResolutionListId: return list_;
        case kMakeBackgroundId: return build_;
        case kLoadPictureId: return load_;
        case kCloseGlyphId: return close_;
    }
    return nullptr;
}

void MainWindow::show() {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const FormDefinition& layout = form_.controls().layout();
    const ScreenPoint at = centred_on(work.left, work.top, work.right - work.left, work.bottom - work.top,
                                      layout.client_width, layout.client_height);
    SetWindowPos(window_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

void MainWindow::hide() {
    shell_.mark_gone();
    progress_.reset();
    if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

void MainWindow::refresh(bool force) {
    bool changed = force;
    auto set = [&changed](bool& field, bool value) {
        if (field != value) field = value, changed = true;
    };
    WindowControls& controls = form_.controls();
    HWND focus = GetFocus();
    const bool list_focused = focus == list_ || (focus != nullptr && IsChild(list_, focus));
    set(form_.elcombo1().state.focus_mark, focus_shown_ && list_focused);
    set(form_.elboton2().state.focus_mark, focus_shown_ && focus == build_);
    set(form_.elboton1().state.focus_mark, focus_shown_ && focus == load_);
    set(controls.at(main_rows::Label2).symbol_focus_mark, focus_shown_ && focus == close_);
    set(form_.elboton2().state.held, held_[0]);
    set(form_.elboton1().state.held, held_[1]);
    if (!changed) return;
    paint_window(pixels_, controls, text_);
    if (window_ != nullptr) RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void MainWindow::picture_changed() { refresh(true); }

void MainWindow::controls_changed() { refresh(true); }

void MainWindow::set_notice_timer(int milliseconds) {
    if (milliseconds > 0)
        SetTimer(window_, kNoticeTimer, UINT(milliseconds), nullptr);
    else
        KillTimer(window_, kNoticeTimer);
}

void MainWindow::save_focus() {
    HWND focus = GetFocus();
    if (focus != nullptr && (focus == window_ || IsChild(window_, focus))) saved_focus_ = focus;
}

void MainWindow::restore_focus() {
    // After a dialog the system gives the focus to the window itself; the control that had it takes it back.
    HWND to = saved_focus_ != nullptr && IsWindow(saved_focus_) && IsChild(window_, saved_focus_) ? saved_focus_ : list_;
    if (to == list_ || IsChild(window_, to)) SetFocus(to);
}

void MainWindow::set_input_enabled(bool on) { EnableWindow(window_, on ? TRUE : FALSE); }

int MainWindow::focused_row() const {
    const HWND focus = GetFocus();
    if (focus == list_ || (focus != nullptr && IsChild(list_, focus))) return int(main_rows::elcombo1);
    if (focus == build_) return int(main_rows::elboton2);
    if (focus == load_) return int(main_rows::elboton1);
    if (focus == close_) return int(main_rows::Label2);
    return -1;
}

void MainWindow::focus_row(size_t row) {
    // An inactive window takes it back when it is activated again.
    saved_focus_ = row == main_rows::elboton2 ? build_ : row == main_rows::elboton1 ? load_ : row == main_rows::Label2 ? close_ : list_;
    if (GetActiveWindow() == window_ || GetForegroundWindow() == window_) restore_focus();
}

ProgressView& MainWindow::open_progress() {
    progress_.reset();
    progress_ = std::make_unique<ProgressWindow>(window_, *services_.fx, ratios_, font_, text_);
    return *progress_;
}

void MainWindow::close_progress() { progress_.reset(); }

void MainWindow::command(int id, int code) {
    switch (id) {
        case kResolutionListId:
            if (code == CBN_SELCHANGE) {
                const LRESULT chosen = SendMessageW(list_, CB_GETCURSEL, 0, 0);
                if (chosen != CB_ERR) form_.elcombo1().SetListIndex(int16_t(chosen));
            }
            if (code == CBN_SETFOCUS || code == CBN_KILLFOCUS || code == CBN_CLOSEUP) refresh(false);
            break;
        case kMakeBackgroundId:
            if (code == BN_CLICKED) form_.elboton2().click();
            break;
        case kLoadPictureId:
            if (code == BN_CLICKED) form_.elboton1().click();
            break;
        case kCloseGlyphId:
            if (code == BN_CLICKED) form_.end_program(0);
            break;
        case IDOK: {
            // Enter presses the focused button, as Space does.
            HWND focus = GetFocus();
            for (HWND button : {build_, load_, close_})
                if (focus == button)
                    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), LPARAM(button));
            break;
        }
        default: break;
    }
}

intptr_t MainWindow::handle(HWND window, unsigned message, uintptr_t w, intptr_t l) {
    switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            const RECT& r = ps.rcPaint;
            show_pixels(dc, pixels_, PixelRect{int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)},
                        int(r.left), int(r.top));
            EndPaint(window, &ps);
            return 0;
        }
        case WM_NCHITTEST: return HTCLIENT;
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
            // The selection field: the control's height less the edges and padding both systems add (6 pixels);
            // fit_list_height corrects a system that adds otherwise.
            if (item->CtlType == ODT_COMBOBOX)
                item->itemHeight = item->itemID == UINT(-1) ? UINT(form_.controls().at(main_rows::elcombo1).place.height - 6)
                                                            : UINT(kListEntryHeight);
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            const WindowControls& controls = form_.controls();
            if (item->CtlType == ODT_BUTTON) {
                const bool held = (item->itemState & ODS_SELECTED) != 0;
                if (item->hwndItem == build_) held_[0] = held;
                if (item->hwndItem == load_) held_[1] = held;
                if (item->hwndItem == close_) held_[2] = held;
                refresh(false);
                const size_t row = item->hwndItem == build_  ? main_rows::elboton2
                                   : item->hwndItem == load_ ? main_rows::elboton1
                                                             : main_rows::Label2;
                show_piece(item->hDC, pixels_, controls.window_place(controls.at(row)));
                return TRUE;
            }
            if (item->CtlType == ODT_COMBOBOX) {
                const LiveControl& list = controls.at(main_rows::elcombo1);
                if ((item->itemState & ODS_COMBOBOXEDIT) != 0 || item->itemID == UINT(-1)) {
                    // The closed control's face, as the core painted it; the system asks from its own painting.
                    show_piece(item->hDC, pixels_, controls.window_place(list));
                    return TRUE;
                }
                const RECT& r = item->rcItem;
                Image32 entry(int(r.right - r.left), int(r.bottom - r.top));
                controls::paint_combo_entry(entry, list.combo.face(), list.combo.GetList(int16_t(item->itemID)),
                                            (item->itemState & ODS_SELECTED) != 0, text_);
                show_pixels(item->hDC, entry, PixelRect{0, 0, entry.width, entry.height}, int(r.left), int(r.top));
                return TRUE;
            }
            break;
        }
        case WM_COMMAND: command(LOWORD(w), HIWORD(w)); return 0;
        case WM_UPDATEUISTATE: {
            const LRESULT result = DefWindowProcW(window, message, w, l);
            if ((HIWORD(w) & UISF_HIDEFOCUS) != 0) {
                if (LOWORD(w) == UIS_CLEAR) focus_shown_ = true;
                if (LOWORD(w) == UIS_SET) focus_shown_ = false;
            }
            refresh(false);
            return result;
        }
        case WM_ACTIVATE:
            if (LOWORD(w) == WA_INACTIVE) {
                save_focus();
            } else {
                restore_focus();
                if (!activation_posted_) {
                    activation_posted_ = true;
                    PostMessageW(window, kActivateMessage, 0, 0);
                }
            }
            refresh(false);
            return 0;
        case kActivateMessage: form_.Form_Activate(); return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const int x = short(LOWORD(l)), y = short(HIWORD(l));
            const WindowControls& controls = form_.controls();
            if (inside(controls.window_place(controls.at(main_rows::Label1)), x, y)) {
                SetCapture(window);
                form_.title_pressed(x, y);
            }
            return 0;
        }
        case WM_MOUSEMOVE:
            if (GetCapture() == window) form_.title_moved();
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (GetCapture() == window) ReleaseCapture();
            form_.title_released();
            return 0;
        case WM_CAPTURECHANGED: form_.title_released(); return 0;
        case WM_DROPFILES: {
            HDROP drop = reinterpret_cast<HDROP>(w);
            std::vector<std::filesystem::path> files;
            std::vector<wchar_t> name(32768, L'\0');
            const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i)
                if (const UINT length = DragQueryFileW(drop, i, name.data(), UINT(name.size())); length > 0)
                    files.emplace_back(std::wstring(name.data(), length));
            DragFinish(drop);
            if (const auto picture = picture_to_take(files)) form_.load_picture_file(utf8_from_path(*picture));
            return 0;
        }
        case WM_TIMER:
            if (w == kNoticeTimer) form_.hide_notice();
            return 0;
        case WM_CLOSE: form_.end_program(0); return 0;  // Alt+F4, the taskbar's Close, taskkill
        case WM_QUERYENDSESSION:
            // A session may end at once but for a build: that one is finished first, and then the program ends.
            if (!form_.building()) return TRUE;
            form_.end_program(0);
            ShutdownBlockReasonCreate(window, L"Morvane is writing the background.");
            return FALSE;
        case WM_ENDSESSION:
            if (w != 0) form_.end_program(0);
            return 0;
        default: break;
    }
    return DefWindowProcW(window, message, w, l);
}

intptr_t MainWindow::handle_list(HWND list, unsigned message, uintptr_t w, intptr_t l) {
    switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(list, &ps);
            show_piece(dc, pixels_, form_.controls().window_place(form_.controls().at(main_rows::elcombo1)));
            EndPaint(list, &ps);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case CB_SETCURSEL:
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: {
            // The system's list draws its own look at these; the core's is put back over it at once.
            const LRESULT result = DefSubclassProc(list, message, w, l);
            refresh(false);
            RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return result;
        }
        default: break;
    }
    return DefSubclassProc(list, message, w, l);
}

}  // namespace morvane::app
