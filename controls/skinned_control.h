#pragma once
// What the four skinned controls share on Linux: a Qt widget over the control's plain look (controls/core). The
// widget keeps the outer size in twips with the control's size rule, reads and writes its stored settings and
// sets its properties through the look's declaration list (telling the host which key changed), turns Qt's mouse,
// key and focus events into the control's events and state, and paints the surface the core draws.
//
// Creating a control from a stored definition:
//   auto* b = new elboton(window);
//   b->read_properties(Settings{{"caption", "Load Picture"}, {"centercaption", true}});
//   b->set_geometry_pixels(692, 675, 117, 24);        // or set_geometry_twips(...)
//   QObject::connect(b, &elboton::Click, ...);
#include "controls/core/outer_size.h"
#include "controls/core/property_list.h"
#include "controls/core/settings.h"
#include "controls/core/skin.h"
#include "controls/core/text.h"
#include "platform/outcome.h"
#include "platform/pictures/image32.h"

#include <QFont>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>

class QMouseEvent;

namespace morvane::controls {

// The arguments of MouseDown, MouseMove and MouseUp.
struct MouseArgs {
    int16_t button = 0;  // 1 left, 2 right, 4 middle (for MouseMove: the buttons held)
    int16_t shift = 0;   // 1 Shift, 2 Ctrl, 4 Alt
    float x = 0, y = 0;  // pixels, in the control's own coordinates
};

class SkinnedControl : public QWidget {
    Q_OBJECT

public:
    ~SkinnedControl() override;

    // Clears the surface to BackColor and blends the region at (X, Y) of `source` onto it with `opacity` (0 plain
    // fill .. 255 copy), inside the one-pixel edge (the combo box: all of it). An opacity outside 0..255 is
    // refused and leaves the surface as it was; a region outside the source leaves the plain fill.
    Outcome obtener_imagen_fondo(const Image32& source, int32_t X, int32_t Y, int16_t opacity);

    // --- geometry: outer size in twips, inside in pixels --------------------------------------------
    void set_size_twips(double width, double height);
    void set_geometry_twips(double left, double top, double width, double height);
    void set_geometry_pixels(int left, int top, int width, int height);
    TwipsSize size_twips() const { return outer_; }

    // --- stored settings and properties by name ----------------------------------------------------
    // Applies every stored property in the control's order; absent keys take their defaults. Raises no
    // change notifications: the definition already holds these values.
    void read_properties(const Settings& settings);
    // Writes every stored property; values equal to their default are left out.
    void write_properties(Settings& settings) const;
    // Sets a property by its key (any case) and notifies; false for a key the control does not have.
    bool set_property(const std::string& key, const SettingValue& value);
    // The property's current value, or an empty value for an unknown key.
    SettingValue property_value(const std::string& key) const;

    // --- what the control shows --------------------------------------------------------------------
    const Image32& surface() const;  // painted afresh as it would be shown now
    // The font of the window that holds the control: the default of the font keys.
    FontSpec host_font() const;

    // --- properties all four share -------------------------------------------------------------------
    uint32_t BackColor() const { return color_of("BackColor"); }
    void set_BackColor(uint32_t color) { set_property("BackColor", int64_t(color)); }
    bool Enabled() const { return isEnabled(); }  // a disabled control looks the same
    void set_Enabled(bool on) { set_property("Enabled", on); }
    // The first line of its pair as shown now (a held button shows its edge swapped).
    virtual uint32_t Color3DLight() const { return color_of("Color3DLight"); }
    void set_Color3DLight(uint32_t color) { set_property("Color3DLight", int64_t(color)); }
    virtual uint32_t Color3DDark() const { return color_of("Color3DDark"); }
    void set_Color3DDark(uint32_t color) { set_property("Color3DDark", int64_t(color)); }

signals:
    // A property was set; `key` is its settings key as its declaration spells it.
    void property_changed(const QString& key);
    // The events; each control's header says which of them it raises. Click and DblClick are left-button
    // clicks on the control; the mouse events carry the button, the shift state and the position in the
    // control's own pixels.
    void Click();
    void DblClick();
    void MouseDown(int16_t button, int16_t shift, float x, float y);
    void MouseMove(int16_t button, int16_t shift, float x, float y);
    void MouseUp(int16_t button, int16_t shift, float x, float y);

protected:
    SkinnedControl(QWidget* parent, TwipsSize initial);

    // The look's declaration list, over the look the derived control holds.
    virtual void read_face(const Settings& settings, const FontSpec& host) = 0;
    virtual void write_face(Settings& settings, const FontSpec& host) const = 0;
    // Sets the property of that key; the key as declared, or nothing for an unknown key.
    virtual std::optional<std::string> set_face(const std::string& key, const SettingValue& value) = 0;
    virtual SettingValue face_value(const std::string& key) const = 0;
    // After a property was set (and before the host is told): what the look's data alone does not do.
    virtual void property_set(const std::string& /*key*/) {}

    virtual SizeRule size_rule() const = 0;
    // The whole look on the surface (sized to the widget), with the background blend when there is one.
    virtual void paint_face(Image32& surface, const BackgroundBlend* blend) const = 0;
    virtual PixelRect blend_rect() const;  // default (1, 1), SW-2 by SH-2
    // Whether the blend stays through a change of BackColor (the bar repeats it on every redraw; the others
    // show the plain fill again).
    virtual bool keeps_blend() const { return false; }
    virtual void layout_content() {}  // after every resize

    // Pixels of the outer size, and the ratios of the screen.
    TwipsPerPixel ratios() const;
    double width_pixels_exact() const;   // outer width in twips / horizontal twips per pixel
    double height_pixels_exact() const;  // outer height in twips / vertical twips per pixel
    // Run once at the end of a derived constructor: the first resize.
    void finish_construction();
    // The look changed: paint it again.
    void repaint_face() { update(); }
    // Sets the five font keys from a Qt font and tells the host once that "Font" changed.
    void set_font_keys(const QFont& font);

    // The keyboard focus mark is shown: the control has the focus and the keyboard has been used in its window.
    bool focus_mark_shown() const;

    static MouseArgs mouse_args(const QMouseEvent& event, bool use_held_buttons = false);

    // Hooks of the common mouse handling: the look of a press (before MouseDown) and of a release (before
    // MouseUp); whether a move at a position raises MouseMove; whether a second press raises DblClick.
    virtual void show_pressed(bool /*down*/, Qt::MouseButton /*button*/) {}
    virtual bool reports_move_at(QPointF /*position*/) const { return true; }
    virtual bool raises_double_click() const { return true; }

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    uint32_t color_of(const std::string& key) const { return color_value(property_value(key)); }
    void relayout();

    mutable Image32 surface_;
    std::optional<BackgroundBlend> blend_;
    TwipsSize outer_;
    bool applying_size_ = false;
    Qt::MouseButtons pressed_ = Qt::NoButton;  // buttons that went down on the control
    bool click_armed_ = false;                 // a left press that a release inside turns into Click
};

// A control over the plain look `Face` and its declaration list: the stored settings, the properties by key.
template <class Face>
class FaceControl : public SkinnedControl {
public:
    const Face& face() const { return face_; }

protected:
    FaceControl(QWidget* parent, TwipsSize initial, Face face, const PropertyList<Face>& list)
        : SkinnedControl(parent, initial), face_(std::move(face)), list_(list) {}

    void read_face(const Settings& settings, const FontSpec& host) override {
        read_settings(face_, list_, settings, host);
    }
    void write_face(Settings& settings, const FontSpec& host) const override {
        write_settings(face_, list_, settings, host);
    }
    std::optional<std::string> set_face(const std::string& key, const SettingValue& value) override {
        const FaceProperty<Face>* p = find_property(list_, key);
        if (p == nullptr) return std::nullopt;
        p->set(face_, value);
        return p->key;
    }
    SettingValue face_value(const std::string& key) const override {
        const FaceProperty<Face>* p = find_property(list_, key);
        return p != nullptr ? p->get(face_) : SettingValue();
    }

    Face face_;

private:
    const PropertyList<Face>& list_;
};

}  // namespace morvane::controls
