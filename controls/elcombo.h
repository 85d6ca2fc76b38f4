#pragma once
// elcombo: the drop-down selection control (its look and list rules in controls/core/combo_face.h). Height is
// always 300 twips (20 pixels), width at least 1425 twips. The drop-down list, the keys that change the choice
// and what a screen reader hears of the list are Qt's own combo box, which lies over the control, takes the
// focus (the control is its focus proxy) and shows nothing itself: the control paints its closed look.
// Event raised: Click, on every change of the selected entry (by the user or by SetListIndex).
// Its focus mark is a dotted rectangle in Color3DLight round the text, shown once the keyboard has been used.
//
//   combo->AddItem("1024 x 1024");  combo->AddItem("2048 x 2048");  combo->SetListIndex(0);  // raises Click
#include "controls/core/combo_face.h"
#include "controls/skinned_control.h"

#include <QFont>
#include <QRect>
#include <QString>

class QComboBox;

namespace morvane::controls {

class elcombo : public FaceControl<ComboFace> {
    Q_OBJECT

public:
    explicit elcombo(QWidget* parent = nullptr);

    QFont Font() const;  // FontName, FontSize, ... are set by name and read from it
    void set_Font(const QFont& font);

    // --- the list: positions count from 0 ----------------------------------------------------------
    void Clear();
    void AddItem(const QString& item);
    void RemoveItem(int16_t index);    // nothing when index is not an entry
    void SetListIndex(int16_t index);  // nothing when index is not an entry; Click when the selection changes
    int16_t GetListIndex() const { return list_.GetListIndex(); }  // -1 when nothing is selected
    int16_t ListCount() const { return list_.ListCount(); }
    void SetList(int16_t index, const QString& item);  // nothing when index is not an entry
    QString GetList(int16_t index) const { return QString::fromStdString(list_.GetList(index)); }

    uint32_t ForeColor() const { return face_.fore; }
    void set_ForeColor(uint32_t color) { set_property("ForeColor", int64_t(color)); }
    uint32_t SymbolColor() const { return face_.symbol; }
    void set_SymbolColor(uint32_t color) { set_property("SymbolColor", int64_t(color)); }  // shown at once
    uint32_t SymbolOverColor() const { return face_.symbol_over; }  // stored, shown by no window
    void set_SymbolOverColor(uint32_t color) { set_property("SymbolOverColor", int64_t(color)); }

    // The name a screen reader gives the list control (Qt's own combo box, which takes the focus).
    void set_accessible_caption(const QString& caption);

    // What the control shows, for hosts and tests.
    uint32_t triangle_color() const { return face_.symbol; }
    QRect symbol_box_geometry() const;
    QRect list_geometry() const;
    QComboBox* list_control() const { return list_control_; }

protected:
    SizeRule size_rule() const override { return kComboSizeRule; }
    void paint_face(Image32& surface, const BackgroundBlend* blend) const override;
    PixelRect blend_rect() const override { return PixelRect{0, 0, width(), height()}; }
    void property_set(const std::string& key) override;
    void layout_content() override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // the list control's focus and keys
    void mousePressEvent(QMouseEvent* event) override;  // a press beside the list opens it
    void mouseMoveEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent*) override {}
    void mouseDoubleClickEvent(QMouseEvent*) override {}

private:
    void restyle_list();
    void mirror_list();  // the list control shows the entries and the selection of list_

    ComboList list_;
    QComboBox* list_control_ = nullptr;
};

}  // namespace morvane::controls
