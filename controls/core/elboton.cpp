#include "controls/core/elboton.h"

namespace morvane::controls {

namespace {

bool over(const CaptionPlace& caption, float x, float y) {
    return x >= caption.x && y >= caption.y && x < caption.x + caption.extent.width &&
           y < caption.y + caption.extent.height;
}

}  // namespace

void elboton::set_Font(const FontSpec& font) {
    // The font travels as its parts; the window hears of "Font" once.
    auto notify = std::move(events.Changed);
    set_property("FontName", font.family);
    set_property("FontSize", font.points);
    set_property("FontBold", font.weight >= 600);
    set_property("FontItalic", font.italic);
    set_property("FontUnderline", font.underline);
    events.Changed = std::move(notify);
    if (events.Changed) events.Changed("Font");
}

void elboton::mouse_down(const MouseArgs& a, const CaptionPlace& caption) {
    pressed_on_caption_ = over(caption, a.x, a.y);
    raise(events.MouseDown, a);
}

void elboton::mouse_move(const MouseArgs& a, const CaptionPlace& caption) {
    if (pressed_on_caption_ || over(caption, a.x, a.y)) raise(events.MouseMove, a);
}

void elboton::mouse_up(const MouseArgs& a) {
    pressed_on_caption_ = false;
    raise(events.MouseUp, a);
}

}  // namespace morvane::controls
