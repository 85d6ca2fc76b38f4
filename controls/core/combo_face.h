#pragma once
// elcombo, the drop-down selection control, as plain data, rules and pixels: the list spanning the whole width
// and lifted by three pixels, a box at its right end with a downward triangle in SymbolColor, and a sunken
// one-pixel edge. Height always 300 twips (20 pixels), width at least 1425 twips. The drop-down list itself is
// the host's (the system's own list, showing these entries).
#include "controls/core/outer_size.h"
#include "controls/core/palette.h"
#include "controls/core/property_list.h"
#include "controls/core/skin.h"
#include "controls/core/text.h"
#include "platform/pictures/image32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvane::controls {

struct ComboFace {
    uint32_t back = palette::kList;  // BackColor
    uint32_t fore = palette::kListText;  // ForeColor: the list's text
    bool enabled = true;
    std::string list;  // the stored "List" text: kept and written back, nothing else reads it
    uint32_t light = palette::kLightEdge;  // Color3DLight
    uint32_t dark = palette::kDarkEdge;  // Color3DDark
    uint32_t symbol = palette::kLightEdge;  // SymbolColor: the triangle's
    uint32_t symbol_over = palette::kLightEdge;  // SymbolOverColor: stored and written back; no window shows a hover look
    FontSpec font;
};

// The list control's own background, and the symbol box's, whatever BackColor is.
inline constexpr uint32_t kComboListBack = palette::kList;

const PropertyList<ComboFace>& combo_properties();

inline constexpr SizeRule kComboSizeRule{300.0, 1425.0};

// The entries and the selection; positions count from 0. Each operation says whether it raised Click (the
// selection changed).
class ComboList {
public:
    void Clear();
    void AddItem(const std::string& item);
    void RemoveItem(int16_t index);              // nothing when index is not an entry
    bool SetListIndex(int16_t index);            // nothing when index is not an entry
    int16_t GetListIndex() const { return selected_; }  // -1 when nothing is selected
    int16_t ListCount() const;
    void SetList(int16_t index, const std::string& item);  // nothing when index is not an entry
    std::string GetList(int16_t index) const;              // "" when index is not an entry
    // The text the closed control shows: the selected entry's, or "".
    std::string shown_text() const { return GetList(selected_); }
    const std::vector<std::string>& entries() const { return entries_; }

private:
    bool is_entry(int index) const { return index >= 0 && index < int(entries_.size()); }
    std::vector<std::string> entries_;
    int16_t selected_ = -1;
};

struct ComboState {
    bool focus_mark = false;  // it has the focus and the keyboard has been used in its window
};

// The symbol box's left, in the control's pixels: (outer width - 280 twips) / ratio - 2.
int symbol_box_left(double width_twips, TwipsPerPixel ratios);

// Fill, the list's face with the shown text, the symbol box and its triangle, the edge, the focus mark.
void paint_combo(Image32& surface, const ComboFace& face, const std::string& shown_text, ComboState state,
                 double width_twips, TwipsPerPixel ratios, TextService& text, const BackgroundBlend* blend = nullptr);

// One entry of the open drop-down list, on a surface of the entry's size: selected entries inverted in the
// light colour, as the list shows them.
void paint_combo_entry(Image32& surface, const ComboFace& face, const std::string& entry, bool selected,
                       TextService& text);

}  // namespace morvane::controls
