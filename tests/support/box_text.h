#pragma once
// A text service for tests without any host: every character is a box `char_width` pixels wide and the font's
// pixel height high (points * 4 / 3, as at 96 dots per inch), drawn one pixel narrower than its advance, so
// that a test can tell exactly where a caption stands and what colour it has.
#include "controls/core/text.h"

#include <cmath>
#include <set>
#include <string>

namespace morvane::testing {

class BoxText : public controls::TextService {
public:
    int char_width = 6;
    std::set<std::string> families;  // the faces this "system" has

    static int characters(const std::string& utf8) {
        int n = 0;
        for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
        return n;
    }
    controls::TextExtent measure(const controls::FontSpec& font, const std::string& utf8) override {
        const int height = int(std::lround(font.points * 4 / 3));
        return {characters(utf8) * char_width, height, height};
    }
    void draw(Image32& target, PixelRect clip, const controls::FontSpec& font, const std::string& utf8, PixelRect box,
              uint32_t colorref) override {
        const controls::TextExtent extent = measure(font, utf8);
        const int x = box.x, y = box.y + (box.height - extent.height) / 2;
        const PixelRect area = clip_to(target, clip);
        for (int row = y; row < y + extent.height; ++row)
            for (int column = x; column < x + extent.width; ++column) {
                if ((column - x) % char_width == char_width - 1) continue;  // the gap between characters
                if (row < area.y || row >= area.y + area.height || column < area.x || column >= area.x + area.width)
                    continue;
                target.set_pixel(column, row, bgra_from_colorref(colorref));
            }
    }
    bool has_family(const std::string& family) override { return families.count(family) > 0; }
};

inline uint32_t colour_at(const Image32& image, int x, int y) { return colorref_from_bgra(image.pixel(x, y)); }

}  // namespace morvane::testing
