#pragma once
// elboton: the push button. A flat rectangle in BackColor with a raised one-pixel edge and a one-line caption
// (with an optional black shadow copy one pixel right and below). Holding the left button down swaps the edge
// colours so that it looks pushed in. Height is always 360 twips (24 pixels), width at least 500 twips.
//
// Stored properties, in order: ForeColor (0xFFFFFF), BackColor (0x44584C), Enabled (true), Caption ("Boton"),
// Color3DLight (0x95AAA0), Color3DDark (0x80000008), Font, FontName, FontSize, FontItalic, FontUnderline
// (defaults from the host's font), DropShadow (false), CenterCaption (false).
// Events raised: Click, MouseDown, MouseMove (over the caption only), MouseUp. No DblClick: a quick second
// click is a click of its own.
#include "controls/skinned_control.h"

class QLabel;

namespace morvane {

class elboton : public SkinnedControl {
    Q_OBJECT

public:
    explicit elboton(QWidget* parent = nullptr);

    bool DropShadow() const { return drop_shadow_; }
    void set_DropShadow(bool on) { set_property(QStringLiteral("DropShadow"), on); }
    QFont Font() const;
    void set_Font(const QFont& font) { set_property(QStringLiteral("Font"), font); }
    QString FontName() const { return Font().family(); }
    void set_FontName(const QString& name) { set_property(QStringLiteral("FontName"), name); }
    float FontSize() const { return float(Font().pointSizeF()); }
    void set_FontSize(float points) { set_property(QStringLiteral("FontSize"), points); }
    bool FontItalic() const { return Font().italic(); }
    void set_FontItalic(bool on) { set_property(QStringLiteral("FontItalic"), on); }
    bool FontUnderline() const { return Font().underline(); }
    void set_FontUnderline(bool on) { set_property(QStringLiteral("FontUnderline"), on); }
    uint32_t ForeColor() const { return fore_color_; }
    void set_ForeColor(uint32_t color) { set_property(QStringLiteral("ForeColor"), QVariant::fromValue(color)); }
    QString Caption() const;
    void set_Caption(const QString& text) { set_property(QStringLiteral("Caption"), text); }
    bool CenterCaption() const { return center_caption_; }
    void set_CenterCaption(bool on) { set_property(QStringLiteral("CenterCaption"), on); }

    // Places the caption and its shadow copy: x 6 and 7, or centred; vertically centred when it fits.
    void place_caption();

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

private:
    void apply_fore_color(uint32_t color);
    void apply_caption(const QString& text);
    void apply_light(uint32_t color);
    void apply_dark(uint32_t color);
    void apply_font(const QFont& font);
    void apply_drop_shadow(bool on);
    void apply_center_caption(bool on);

    QLabel* label_ = nullptr;    // the caption
    QLabel* shadow1_ = nullptr;  // its black shadow copy
    uint32_t fore_color_ = 0xFFFFFF;
    uint32_t light_ = 0x95AAA0;      // copy of Color3DLight, to swap and restore the edge
    uint32_t dark_ = 0x80000008;     // copy of Color3DDark
    bool center_caption_ = false;
    bool drop_shadow_ = false;
    bool pressed_on_caption_ = false;
};

}  // namespace morvane
