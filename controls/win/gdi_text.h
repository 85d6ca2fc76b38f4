#pragma once
// Text through GDI, in the fonts the windows' layouts name, drawn onto the controls' plain pixels. One
// service serves every control of the program; fonts are made once per description and kept.
#include "controls/core/text.h"

#include <utility>
#include <vector>

struct HDC__;
struct HFONT__;

namespace morvane::controls {

class GdiTextService : public TextService {
public:
    GdiTextService();
    ~GdiTextService() override;
    GdiTextService(const GdiTextService&) = delete;
    GdiTextService& operator=(const GdiTextService&) = delete;

    TextExtent measure(const FontSpec& font, const std::string& utf8) override;
    void draw(Image32& target, PixelRect clip, const FontSpec& font, const std::string& utf8, PixelRect box,
              uint32_t colorref) override;
    bool has_family(const std::string& family) override;

    // The font's height in the system's logical units: minus its em height in pixels at this screen's
    // dots per inch (the way a 8.25 point font is 11 pixels at 96).
    int logical_height(const FontSpec& font) const;

private:
    HFONT__* font_for(const FontSpec& font);

    HDC__* dc_;                     // a memory DC compatible with the screen, for measuring and drawing
    int dots_per_inch_y_;
    std::vector<std::pair<FontSpec, HFONT__*>> fonts_;
};

}  // namespace morvane::controls
