#include "controls/core/combo_face.h"

#include "controls/core/skin.h"
#include "controls/core/symbol_face.h"
#include "platform/system/system_colors.h"

#include <algorithm>
#include <cmath>

namespace morvane::controls {

namespace {

constexpr int kListLeft = -1, kListTop = -3, kListHeight = 21;  // pixels: the top three rows lie outside
constexpr int kTextPadding = 3;                                 // pixels left of the text in the list

}  // namespace

const PropertyList<ComboFace>& combo_properties() {
    using C = ComboFace;
    static const PropertyList<C> list = [] {
        PropertyList<C> l = {
            color("BackColor", &C::back),
            color("ForeColor", &C::fore),
            boolean("Enabled", &C::enabled),
            text("List", &C::list),
            color("Color3DLight", &C::light),
            color("Color3DDark", &C::dark),
            color("SymbolColor", &C::symbol),
            color("SymbolOverColor", &C::symbol_over),
        };
        for (auto& font : font_keys(&C::font)) l.push_back(std::move(font));
        l.push_back(inert<C>("DropShadow", false));
        l.push_back(inert<C>("ListBackColor", int64_t(0)));
        l.push_back(inert<C>("ListForeColor", int64_t(0)));
        return l;
    }();
    return list;
}

void ComboList::Clear() {
    entries_.clear();
    selected_ = -1;
}

void ComboList::AddItem(const std::string& item) {
    if (entries_.size() < 32767) entries_.push_back(item);  // positions are 16-bit
}

void ComboList::RemoveItem(int16_t index) {
    if (!is_entry(index)) return;
    entries_.erase(entries_.begin() + index);
    // Removing the selected entry leaves nothing selected; entries after a removed one move up.
    selected_ = selected_ == index ? -1 : selected_ > index ? int16_t(selected_ - 1) : selected_;
}

bool ComboList::SetListIndex(int16_t index) {
    if (!is_entry(index) || index == selected_) return false;
    selected_ = index;
    return true;
}

int16_t ComboList::ListCount() const { return int16_t(entries_.size()); }

void ComboList::SetList(int16_t index, const std::string& item) {
    if (is_entry(index)) entries_[size_t(index)] = item;
}

std::string ComboList::GetList(int16_t index) const { return is_entry(index) ? entries_[size_t(index)] : std::string(); }

int symbol_box_left(double width_twips, TwipsPerPixel ratios) {
    return int(std::lround((width_twips - 280) / ratios.x - 2));
}

void paint_combo(Image32& surface, const ComboFace& face, const std::string& shown_text, ComboState state,
                 double width_twips, TwipsPerPixel ratios, TextService& text, const BackgroundBlend* blend) {
    const int sw = surface.width;
    paint_background(surface, face.back, blend);
    // The list control, lifted by three pixels and a pixel left of the edge; its text centred in its height.
    const PixelRect list{kListLeft, kListTop, sw, kListHeight};
    paint_rect(surface, list, kComboListBack);
    const int sx = symbol_box_left(width_twips, ratios);
    text.draw(surface, PixelRect{0, 0, std::max(sx, 0), surface.height}, face.font, shown_text,
              PixelRect{list.x + kTextPadding, list.y, list.width - kTextPadding, list.height}, face.fore);
    // The symbol box covers the list's own drop button; the triangle shows in it.
    paint_rect(surface, PixelRect{sx, -1, 20, 18}, kComboListBack);
    paint_symbol(surface, SymbolFace{SymbolGlyph::DownTriangle, face.symbol},
                 PixelRect{sx + 1, 1, 18, 15}, text);
    // Lines to row 20 of a 20-row control (clipped), the bottom line on row 19 and the right one from row 1.
    EdgeLines lines;
    place_box_edge(lines, sw, 21);
    lines.right.y1 = 1;
    lines.bottom.y1 = lines.bottom.y2 = 19;
    color_edge(lines, EdgeLook::Sunken, face.light, face.dark);
    paint_edge_lines(surface, lines);
    if (state.focus_mark) paint_focus_mark(surface, PixelRect{2, 2, sx - 3, 16}, face.light);
}

void paint_combo_entry(Image32& surface, const ComboFace& face, const std::string& entry, bool selected,
                       TextService& text) {
    const uint32_t back = selected ? face.light : kComboListBack;
    const uint32_t fore = selected ? kComboListBack : face.fore;
    paint_rect(surface, PixelRect{0, 0, surface.width, surface.height}, back);
    text.draw(surface, PixelRect{0, 0, surface.width, surface.height}, face.font, entry,
              PixelRect{kTextPadding, 0, surface.width - kTextPadding, surface.height}, fore);
}

}  // namespace morvane::controls
