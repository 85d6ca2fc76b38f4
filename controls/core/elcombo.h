#pragma once
// elcombo, the drop-down selection control (its look and list in combo_face.h). Its list's entries and choice
// are here; the host's own list shows them and reports the user's choice through SetListIndex. Event: Click,
// on every change of the selected entry (by the user or by SetListIndex).
#include "controls/core/combo_face.h"
#include "controls/core/skinned_control.h"

namespace morvane::controls {

class elcombo : public SkinnedControl<ComboFace> {
public:
    elcombo() : SkinnedControl(combo_properties(), kComboSizeRule, TwipsSize{1440, 285}, {}, true) {}

    ComboState state;  // the focus mark, as the host last said

    FontSpec Font() const { return face_.font; }
    uint32_t ForeColor() const { return face_.fore; }
    void set_ForeColor(uint32_t color) { set_property("ForeColor", int64_t(color)); }
    uint32_t SymbolColor() const { return face_.symbol; }
    void set_SymbolColor(uint32_t color) { set_property("SymbolColor", int64_t(color)); }
    uint32_t SymbolOverColor() const { return face_.symbol_over; }  // stored; no window shows a hover look
    void set_SymbolOverColor(uint32_t color) { set_property("SymbolOverColor", int64_t(color)); }
    uint32_t Color3DLight() const { return face_.light; }
    uint32_t Color3DDark() const { return face_.dark; }

    // The list; positions count from 0, and an index that is not an entry changes nothing.
    void Clear() { list_.Clear(), shown(); }
    void AddItem(const std::string& item) { list_.AddItem(item), shown(); }
    void RemoveItem(int16_t index) { list_.RemoveItem(index), shown(); }
    void SetList(int16_t index, const std::string& item) { list_.SetList(index, item), shown(); }
    void SetListIndex(int16_t index) {
        if (!list_.SetListIndex(index)) return;
        shown();
        if (events.Click) events.Click();
    }
    int16_t GetListIndex() const { return list_.GetListIndex(); }  // -1 when nothing is selected
    int16_t ListCount() const { return list_.ListCount(); }
    std::string GetList(int16_t index) const { return list_.GetList(index); }
    const ComboList& list() const { return list_; }

    // The host's list shows the entries and the choice again when they change.
    std::function<void()> on_entries_changed;

private:
    void shown() {
        if (on_entries_changed) on_entries_changed();
    }
    ComboList list_;
};

}  // namespace morvane::controls
