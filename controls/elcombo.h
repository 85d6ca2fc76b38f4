#pragma once
// elcombo: the drop-down selection control. A drop-down list control spanning the whole width and
// lifted by three pixels, a box at its right end with a downward triangle in SymbolColor, and a sunken
// one-pixel edge. Height is always 300 twips (20 pixels), width at least 1425 twips.
// Its properties, their order and defaults are declared in properties() (elcombo.cpp), with the three it
// accepts without effect.
// Event raised: Click, on every change of the selected entry (by the user or by SetListIndex).
// Keyboard: the list control takes the focus (the control is its focus proxy) and keeps its own keys; its
// focus mark is a dotted rectangle in Color3DLight round the text, shown once the keyboard has been used.
//
//   combo->AddItem("1024 x 1024");  combo->AddItem("2048 x 2048");  combo->SetListIndex(0);  // raises Click
#include "controls/skinned_control.h"

class QComboBox;

namespace morvane::controls {

class SymbolLabel;

class elcombo : public SkinnedControl {
    Q_OBJECT

public:
    explicit elcombo(QWidget* parent = nullptr);

    // The hover look and the normal look of the triangle, for the host to call.
    void set_over_state();
    void set_normal_state();

    QFont Font() const;  // FontName, FontSize, ... are set by name and read from it
    void set_Font(const QFont& font);

    // --- the list: positions count from 0 ----------------------------------------------------------
    void Clear();
    void AddItem(const QString& item);
    void RemoveItem(int16_t index);    // nothing when index is not an entry
    void SetListIndex(int16_t index);  // nothing when index is not an entry; Click when the selection changes
    int16_t GetListIndex() const;      // -1 when nothing is selected
    int16_t ListCount() const;
    void SetList(int16_t index, const QString& item);  // nothing when index is not an entry
    QString GetList(int16_t index) const;              // "" when index is not an entry

    uint32_t ForeColor() const { return fore_color_; }
    void set_ForeColor(uint32_t color);
    uint32_t SymbolColor() const { return symbol_color_; }
    void set_SymbolColor(uint32_t color);  // the triangle takes it at once
    uint32_t SymbolOverColor() const { return symbol_over_color_; }
    void set_SymbolOverColor(uint32_t color);  // shown from the next set_over_state()

    // The name a screen reader gives the list control (Qt's own combo box, which takes the focus).
    void set_accessible_caption(const QString& caption);

    // What the control shows, for hosts and tests.
    uint32_t triangle_color() const;
    QRect symbol_box_geometry() const;
    QRect list_geometry() const;
    QComboBox* list_control() const { return list_control_; }

    const PropertyTable& properties() const override;

protected:
    SizeRule size_rule() const override { return SizeRule{300.0, 1425.0}; }
    void layout_lines(EdgeLines& lines) override;
    void layout_content() override;
    void edge_colors_changed() override { restyle_list(); }  // the drop-down's selection shows the light colour
    PixelRect blend_rect() const override { return PixelRect{0, 0, width(), height()}; }
    QRect focus_mark_rect() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // the list control's focus and keys
    void mousePressEvent(QMouseEvent* event) override;  // a press beside the list opens it
    void mouseMoveEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent*) override {}
    void mouseDoubleClickEvent(QMouseEvent*) override {}

private:
    void fit_list_width();
    void restyle_list();
    // The stored list text: kept and written back, nothing else reads it.
    QString list_field() const { return stored_list_; }
    void set_list_field(const QString& text) { stored_list_ = text; }

    QWidget* backing_box_ = nullptr;  // plain box in the system window colour, below the list control
    QWidget* symbol_box_ = nullptr;   // holds the triangle over the list control's own drop button
    SymbolLabel* triangle_ = nullptr;
    QComboBox* list_control_ = nullptr;
    QString stored_list_;
    uint32_t fore_color_ = 0xD3DED8;
    uint32_t symbol_color_ = 0x95AAA0;
    uint32_t symbol_over_color_ = 0x95AAA0;
};

}  // namespace morvane::controls
