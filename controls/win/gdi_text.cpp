#include "controls/win/gdi_text.h"

#include "platform/win/wide_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwctype>

namespace morvane::controls {
namespace {

// A DIB section the size of the piece of a picture that text may touch, selected into a DC for as long as
// it lives. Its rows are top first, four bytes a pixel blue-green-red-X: an Image32's rows exactly.
class DrawingPiece {
public:
    DrawingPiece(HDC dc, int width, int height) : dc_(dc) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        if (bitmap_ != nullptr) previous_ = SelectObject(dc, bitmap_);
    }
    ~DrawingPiece() {
        if (bitmap_ == nullptr) return;
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
    }
    DrawingPiece(const DrawingPiece&) = delete;
    DrawingPiece& operator=(const DrawingPiece&) = delete;
    uint8_t* bits() const { return bitmap_ != nullptr ? bits_ : nullptr; }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint8_t* bits_ = nullptr;
};

PixelRect intersection(PixelRect a, PixelRect b) {
    const int64_t left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    const int64_t right = std::min(int64_t(a.x) + a.width, int64_t(b.x) + b.width);
    const int64_t bottom = std::min(int64_t(a.y) + a.height, int64_t(b.y) + b.height);
    if (right <= left || bottom <= top) return PixelRect{int(left), int(top), 0, 0};
    return PixelRect{int(left), int(top), int(right - left), int(bottom - top)};
}

bool same_name(const wchar_t* a, const std::wstring& b) {
    size_t i = 0;
    for (; a[i] != L'\0' && i < b.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return a[i] == L'\0' && i == b.size();
}

struct FamilySearch {
    std::wstring family;
    bool found = false;
};

// Wine answers a face it replaces by another one under the asked name too; only a face whose own full name
// begins with that name is the system's own.
int CALLBACK note_family(const LOGFONTW* logfont, const TEXTMETRICW*, DWORD, LPARAM context) {
    auto* search = reinterpret_cast<FamilySearch*>(context);
    const auto* described = reinterpret_cast<const ENUMLOGFONTEXW*>(logfont);
    const std::wstring full(described->elfFullName);
    if (same_name(logfont->lfFaceName, search->family) && full.size() >= search->family.size() &&
        same_name(full.substr(0, search->family.size()).c_str(), search->family)) {
        search->found = true;
        return 0;  // enough
    }
    return 1;
}

}  // namespace

GdiTextService::GdiTextService() : dc_(CreateCompatibleDC(nullptr)), dots_per_inch_y_(96) {
    if (HDC screen = GetDC(nullptr)) {
        if (const int dpi = GetDeviceCaps(screen, LOGPIXELSY); dpi > 0) dots_per_inch_y_ = dpi;
        ReleaseDC(nullptr, screen);
    }
}

GdiTextService::~GdiTextService() {
    for (auto& [asked, font] : fonts_) DeleteObject(font);
    if (dc_ != nullptr) DeleteDC(dc_);
}

int GdiTextService::logical_height(const FontSpec& font) const {
    const int hundredths = int(std::lround(std::clamp(font.points, 0.0, 10000.0) * 100));
    return -MulDiv(hundredths, dots_per_inch_y_, 7200);
}

HFONT GdiTextService::font_for(const FontSpec& asked) {
    for (const auto& [known, font] : fonts_)
        if (known == asked) return font;
    const std::wstring family = wide_from_utf8(asked.family).substr(0, LF_FACESIZE - 1);
    HFONT font = CreateFontW(logical_height(asked), 0, 0, 0, std::clamp(asked.weight, 0, 1000), asked.italic,
                             asked.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family.c_str());
    if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));  // not kept: stock
    else fonts_.emplace_back(asked, font);
    return font;
}

TextExtent GdiTextService::measure(const FontSpec& font, const std::string& utf8) {
    if (dc_ == nullptr) return {};
    const HGDIOBJ previous = SelectObject(dc_, font_for(font));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    // A label sized to its text is exactly one line high.
    TextExtent extent{0, int(metrics.tmHeight), int(metrics.tmHeight)};
    const std::wstring text = wide_from_utf8(utf8);
    SIZE size{};
    if (!text.empty() && GetTextExtentPoint32W(dc_, text.c_str(), int(text.size()), &size)) extent.width = size.cx;
    SelectObject(dc_, previous);
    return extent;
}

void GdiTextService::draw(Image32& target, PixelRect clip, const FontSpec& font, const std::string& utf8,
                          PixelRect box_of_label, uint32_t colorref) {
    if (dc_ == nullptr || utf8.empty() || !target.well_formed()) return;
    const TextExtent extent = measure(font, utf8);
    // From the label's left edge, centred in its height as a label shows a line.
    const int x = box_of_label.x, y = box_of_label.y + (box_of_label.height - extent.height) / 2;
    // Italics and overhangs reach past the advance; half a line on each side is room enough.
    const int margin = extent.height / 2 + 1;
    const PixelRect box{x - margin, y, extent.width + 2 * margin, extent.height};
    const PixelRect piece = intersection(clip_to(target, clip), box);
    if (piece.width == 0 || piece.height == 0) return;

    DrawingPiece drawing(dc_, piece.width, piece.height);
    uint8_t* bits = drawing.bits();
    if (bits == nullptr) return;  // no memory for the piece: the text is left out, the picture is intact
    const size_t row_bytes = size_t(piece.width) * 4;
    for (int row = 0; row < piece.height; ++row)
        std::memcpy(bits + row * row_bytes, target.row(piece.y + row) + size_t(piece.x) * 4, row_bytes);

    const HGDIOBJ previous_font = SelectObject(dc_, font_for(font));
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, colorref & 0x00FFFFFF);
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const std::wstring text = wide_from_utf8(utf8);
    TextOutW(dc_, x - piece.x, y - piece.y, text.c_str(), int(text.size()));
    GdiFlush();
    SelectObject(dc_, previous_font);

    for (int row = 0; row < piece.height; ++row) {
        uint8_t* out = target.row(piece.y + row) + size_t(piece.x) * 4;
        std::memcpy(out, bits + row * row_bytes, row_bytes);
        for (int i = 0; i < piece.width; ++i) out[4 * i + 3] = 255;  // GDI writes 0 into the fourth byte
    }
}

bool GdiTextService::has_family(const std::string& family) {
    if (dc_ == nullptr || family.empty()) return false;
    FamilySearch search{wide_from_utf8(family).substr(0, LF_FACESIZE - 1)};
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    search.family.copy(wanted.lfFaceName, search.family.size());
    EnumFontFamiliesExW(dc_, &wanted, note_family, reinterpret_cast<LPARAM>(&search), 0);
    return search.found;
}

}  // namespace morvane::controls
