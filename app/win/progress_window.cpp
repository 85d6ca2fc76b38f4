#include "app/win/progress_window.h"

#include "app/win/accessible_facts.h"
#include "app/win/screen_pixels.h"
#include "app/win/window_class.h"
#include "platform/win/wide_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <string>

namespace morvane::app {
namespace {

constexpr wchar_t kClassName[] = L"MorvaneProcess";
constexpr UINT_PTR kBarSubclass = 1;

LRESULT CALLBACK process_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
            break;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
            if (self) {
                self->paint(window);
                return 0;
            }
            break;
        case WM_NCHITTEST: return HTCLIENT;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;  // the main window keeps being the active one
        default: break;
    }
    return DefWindowProcW(window, message, w, l);
}

// The system's bar keeps its range and position for screen readers; the core paints it.
LRESULT CALLBACK bar_procedure(HWND bar, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<ProgressWindow*>(data);
    switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
            self->paint(bar);
            return 0;
        case WM_NCDESTROY: RemoveWindowSubclass(bar, bar_procedure, kBarSubclass); break;
        default: break;
    }
    return DefSubclassProc(bar, message, w, l);
}

void register_class() {
    [[maybe_unused]] static const ATOM once = register_window_class(kClassName, process_procedure, false);
}

}  // namespace

ProgressWindow::ProgressWindow(HWND owner, WindowEffects& fx, TwipsPerPixel ratios, const controls::FontSpec& font,
                               controls::TextService& text)
    : controls_(process_form_definition(), ratios, font), text_(text) {
    register_class();
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    const FormDefinition& layout = controls_.layout();
    RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner != nullptr) GetWindowRect(owner, &over);
    const ScreenPoint at = centred_on(over.left, over.top, over.right - over.left, over.bottom - over.top,
                                      layout.client_width, layout.client_height);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"BUILDING BACKGROUND...", WS_POPUP | WS_CLIPCHILDREN, at.x, at.y,
                              layout.client_width, layout.client_height, owner, nullptr, GetModuleHandleW(nullptr),
                              this);
    shell_.attach(window_);
    {
        const PixelRect place = controls_.window_place(controls_.at(process_rows::elprogress1));
        bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, place.x, place.y, place.width,
                               place.height, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowSubclass(bar_, bar_procedure, kBarSubclass, DWORD_PTR(this));
        // Heard as a progress bar with how far the build has come, in per cent as the system says it.
        const controls::elprogress& shown = controls_.at(process_rows::elprogress1).progress;
        give_accessible_facts(bar_, AccessibleFacts{ROLE_SYSTEM_PROGRESSBAR, L"", [&shown] {
                                                        return wide_from_utf8(progress_percent(shown));
                                                    }});
    }
    fx.shape_window(shell_, kWindowCorner);
    fx.set_opacity(shell_, kProgressOpacity);
    bar_changed();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
}

ProgressWindow::~ProgressWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

void ProgressWindow::repaint() { paint_window(pixels_, controls_, text_); }

void ProgressWindow::bar_changed() {
    if (bar_ != nullptr) {
        const controls::elprogress& bar = controls_.at(process_rows::elprogress1).progress;
        SendMessageW(bar_, PBM_SETRANGE32, WPARAM(bar.Min()), LPARAM(bar.Max()));
        SendMessageW(bar_, PBM_SETPOS, WPARAM(bar.Value()), 0);
    }
    repaint();
    if (window_ != nullptr) {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void ProgressWindow::paint(HWND target) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(target, &ps);
    POINT corner{0, 0};
    MapWindowPoints(target, window_, &corner, 1);  // where the target's client area lies in the window's
    const RECT& r = ps.rcPaint;
    show_pixels(dc, pixels_, PixelRect{int(r.left + corner.x), int(r.top + corner.y), int(r.right - r.left),
                                       int(r.bottom - r.top)},
                int(r.left), int(r.top));
    EndPaint(target, &ps);
}

}  // namespace morvane::app
