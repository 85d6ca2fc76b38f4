#pragma once
// elboton: the push button. A flat rectangle in BackColor with a raised one-pixel edge and a one-line caption
// (with an optional black shadow copy one pixel right and below). Holding the left button down swaps the edge
// colours so that it looks pushed in. Height is always 360 twips (24 pixels), width at least 500 twips.
// Its stored properties, their order and defaults are declared in properties() (elboton.cpp).
// Events raised: Click, MouseDown, MouseMove (over the caption only), MouseUp. No DblClick: a quick second
// click is a click of its own.
// Keyboard: the button takes the focus by Tab or a click; Space (pushed in while held, Click on release) and
// Enter (Click at once) press it as a click does. Its focus mark is a dotted rectangle in Color3DLight two
// pixels inside the edge, shown once the keyboard has been used in its window.
#include "controls/button_keys.h"
#include "controls/skinned_control.h"

class QLabel;

namespace morvane::controls {

class elboton : public SkinnedControl {
    Q_OBJECT

public:
    explicit elboton(QWidget* parent = nullptr);

    bool DropShadow() const { return drop_shadow_; }
    void set_DropShadow(bool on);
    QFont Font() const;  // FontName, FontSize, ... are set by name and read from it
    void set_Font(const QFont& font);
    uint32_t ForeColor() const { return fore_color_; }
    void set_ForeColor(uint32_t color);  // the caption's; the shadow copy stays black
    QString Caption() const;
    void set_Caption(const QString& text);
    bool CenterCaption() const { return center_caption_; }
    void set_CenterCaption(bool on);

    // Places the caption and its shadow copy: x 6 and 7, or centred; vertically centred when it fits.
    void place_caption();

    // What a click does: raises Click (assistive technology's press action, Space and Enter).
    void press() { emit Click(); }
    // The edge shows the button held down by Space.
    bool held_by_space() const { return keys_.space_held(); }

    // Where the caption and its shadow copy are now, in the button's pixels.
    QRect caption_geometry() const;
    QRect shadow_geometry() const;
    bool shadow_shown() const;

    const PropertyTable& properties() const override;

protected:
    SizeRule size_rule() const override { return SizeRule{360.0, 500.0}; }
    void layout_lines(EdgeLines& lines) override;
    void layout_content() override { place_caption(); }
    void show_pressed(bool down, Qt::MouseButton button) override;
    bool reports_move_at(QPointF position) const override;
    bool raises_double_click() const override { return false; }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    QRect focus_mark_rect() const override { return QRect(QPoint(2, 2), QPoint(width() - 3, height() - 3)); }

private:
    QLabel* caption_ = nullptr;
    QLabel* shadow_ = nullptr;  // the caption's black shadow copy
    uint32_t fore_color_ = 0xFFFFFF;
    bool center_caption_ = false;
    bool drop_shadow_ = false;
    bool pressed_on_caption_ = false;
    ButtonKeys keys_{*this, [this] { press(); }, [this](bool down) { show_pressed(down, Qt::LeftButton); }};
};

}  // namespace morvane::controls
