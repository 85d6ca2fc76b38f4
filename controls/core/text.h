#pragma once
// Text as the skinned controls and the windows use it: one line in a named face at a size in points, measured
// and drawn by the host's text service (GDI on Windows, Qt on Linux), since only the system has the fonts.
// Everything else about a control's look is painted by the controls' own code onto plain pixels.
#include "platform/pictures/image32.h"

#include <cstdint>
#include <string>

namespace morvane::controls {

struct FontSpec {
    std::string family = "MS Sans Serif";
    double points = 8.25;
    int weight = 400;  // 400 regular, 700 bold
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct TextExtent {
    int width = 0;       // pixels: the advance of the whole line
    int height = 0;      // pixels: the font's line height (ascent + descent), whatever the text
    int box_height = 0;  // pixels: the height of a label that holds the line (at least `height`)
};

class TextService {
public:
    virtual ~TextService() = default;
    // One line of UTF-8 text in `font`; an empty text is 0 wide and still one line high.
    virtual TextExtent measure(const FontSpec& font, const std::string& utf8) = 0;
    // Draws the line as a label or a list's text field of the place `box` shows it: from the box's left edge,
    // centred in its height (a box as high as the line puts it at the box's top). In `colorref` (0x00BBGGRR),
    // over what is there (no background), touching no pixel outside `clip` or `target`.
    virtual void draw(Image32& target, PixelRect clip, const FontSpec& font, const std::string& utf8, PixelRect box,
                      uint32_t colorref) = 0;
    // The line centred in the width of `box`, as a centred label shows it; a system whose text stands at
    // fractions of a pixel centres it to the fraction.
    virtual void draw_centred(Image32& target, PixelRect clip, const FontSpec& font, const std::string& utf8,
                              PixelRect box, uint32_t colorref) {
        const int width = measure(font, utf8).width;
        draw(target, clip, font, utf8, PixelRect{box.x + (box.width - width) / 2, box.y, width, box.height}, colorref);
    }
    // Whether the system has this face itself rather than a stand-in ("Marlett" is missing on Linux and Wine).
    virtual bool has_family(const std::string& family) = 0;
};

}  // namespace morvane::controls
