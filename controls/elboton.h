#pragma once
// elboton: the push button (its look and rules in controls/core/button_face.h). Holding the left button down
// swaps the edge colours so that it looks pushed in. Height is always 360 twips (24 pixels), width at least 500.
// Events raised: Click, MouseDown, MouseMove (over the caption only), MouseUp. No DblClick: a quick second
// click is a click of its own.
// Keyboard: the button takes the focus by Tab or a click; Space (pushed in while held, Click on release) and
// Enter (Click at once) press it as a click does. Its focus mark is a dotted rectangle in Color3DLight two
// pixels inside the edge, shown once the keyboard has been used in its window.
#include "controls/button_keys.h"
#include "controls/core/button_face.h"
#include "controls/skinned_control.h"

#include <QFont>
#include <QRect>
#include <QString>

namespace morvane::controls {

class elboton : public FaceControl<ButtonFace> {
    Q_OBJECT

public:
    explicit elboton(QWidget* parent = nullptr);

    bool DropShadow() const { return face_.drop_shadow; }
    void set_DropShadow(bool on) { set_property("DropShadow", on); }
    QFont Font() const;  // FontName, FontSize, ... are set by name and read from it
    void set_Font(const QFont& font);
    uint32_t ForeColor() const { return face_.fore; }
    void set_ForeColor(uint32_t color) { set_property("ForeColor", int64_t(color)); }  // the shadow stays black
    QString Caption() const { return QString::fromStdString(face_.caption); }
    void set_Caption(const QString& text) { set_property("Caption", text.toStdString()); }
    bool CenterCaption() const { return face_.center_caption; }
    void set_CenterCaption(bool on) { set_property("CenterCaption", on); }

    // The edge's colours as shown now: swapped while the button is held down.
    uint32_t Color3DLight() const override { return held() ? face_.dark : face_.light; }
    uint32_t Color3DDark() const override { return held() ? face_.light : face_.dark; }

    // What a click does: raises Click (assistive technology's press action, Space and Enter).
    void press() { emit Click(); }
    // The edge shows the button held down by Space.
    bool held_by_space() const { return keys_.space_held(); }

    // Where the caption and its shadow copy are now, in the button's pixels.
    QRect caption_geometry() const;
    QRect shadow_geometry() const;
    bool shadow_shown() const { return face_.drop_shadow; }

protected:
    SizeRule size_rule() const override { return kButtonSizeRule; }
    void paint_face(Image32& surface, const BackgroundBlend* blend) const override;
    void property_set(const std::string& key) override;
    void show_pressed(bool down, Qt::MouseButton button) override;
    bool reports_move_at(QPointF position) const override;
    bool raises_double_click() const override { return false; }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    bool held() const { return mouse_held_ || keys_.space_held(); }
    CaptionPlace caption_place() const;

    bool mouse_held_ = false;
    bool pressed_on_caption_ = false;
    ButtonKeys keys_{*this, [this] { press(); }, [this](bool) { repaint_face(); }};
};

}  // namespace morvane::controls
