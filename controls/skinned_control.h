#pragma once
// What the four skinned controls (elboton, elframe, elcombo, elprogress) share: the surface in the BackColor
// with its handle (get_the_hdc) and background blend (obtener_imagen_fondo), the four edge lines painted
// above the surface and every inner element, outer size in twips with the resize rule of each control, and
// the stored settings and change notification that come from each control's property declarations.
//
// Creating a control from a stored definition:
//   auto* b = new elboton(window);
//   b->read_properties(PropertyBag{{"caption", "Load Picture"}, {"centercaption", true}});
//   b->set_geometry_pixels(692, 675, 117, 24);        // or set_geometry_twips(...)
//   QObject::connect(b, &elboton::Click, ...);
#include "controls/property_bag.h"
#include "controls/property_table.h"
#include "controls/skin_painter.h"
#include "platform/surface_registry.h"

#include <QWidget>

#include <cstdint>
#include <optional>

class QMouseEvent;

namespace morvane::controls {

struct TwipsSize {
    double width = 0;   // twips
    double height = 0;  // twips
};

// How a control constrains its outer size on every resize.
struct SizeRule {
    std::optional<double> forced_height_twips;
    double min_width_twips = 0;
};

// The colours a control shows before it reads any settings.
struct SkinColors {
    uint32_t back = 0x44584C;   // BackColor
    uint32_t light = 0x95AAA0;  // Color3DLight
    uint32_t dark = 0x80000008; // Color3DDark
};

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

    // --- the two public helpers ---------------------------------------------------------------------
    // The handle of this control's surface; other controls and picture surfaces can blend from it.
    SurfaceHandle get_the_hdc() const;
    // Clears the surface to BackColor and blends the region at (X, Y) of the surface `source` onto it with
    // `opacity` (0 plain fill .. 255 copy), inside the one-pixel edge (the combo box: all of it). An opacity
    // outside 0..255 throws std::out_of_range and leaves the surface as it was; an unknown handle or a region
    // outside the source leaves the plain fill.
    virtual void obtener_imagen_fondo(SurfaceHandle source, int32_t X, int32_t Y, int16_t opacity);

    // --- geometry: outer size in twips, inside in pixels --------------------------------------------
    void set_size_twips(double width, double height);
    void set_geometry_twips(double left, double top, double width, double height);
    void set_geometry_pixels(int left, int top, int width, int height);
    TwipsSize size_twips() const { return outer_; }

    // --- stored settings and properties by name ----------------------------------------------------
    // Applies every stored property in the control's order; absent keys take their defaults. Raises no
    // change notifications: the definition already holds these values.
    void read_properties(const PropertyBag& bag);
    // Writes every stored property; values equal to their default are left out.
    void write_properties(PropertyBag& bag) const;
    // Sets a property by its key (any case) and notifies; false for a key the control does not have.
    bool set_property(const QString& key, const QVariant& value);
    // The property's current value, or an invalid QVariant for an unknown key.
    QVariant property_value(const QString& key) const;
    virtual const PropertyTable& properties() const = 0;

    // --- what the control shows --------------------------------------------------------------------
    const Image32& surface() const { return surface_.image(); }
    const EdgeLines& edge_lines() const { return lines_; }
    // The font of the window that holds the control: the default of the font keys.
    QFont host_font() const;

    // --- properties all four share -------------------------------------------------------------------
    // Each setter reports the key its declaration gives it (property_changed).
    uint32_t BackColor() const { return back_color_; }
    void set_BackColor(uint32_t color);
    bool Enabled() const { return isEnabled(); }  // a disabled control looks the same
    void set_Enabled(bool on);
    uint32_t Color3DLight() const;  // the first line of its pair as shown now (dark while a button is held)
    void set_Color3DLight(uint32_t color);
    uint32_t Color3DDark() const;
    void set_Color3DDark(uint32_t color);

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
    SkinnedControl(QWidget* parent, EdgeLook look, TwipsSize initial, SkinColors colors);

    virtual SizeRule size_rule() const = 0;
    // End points of the edge lines (colours stay); by default a box round the outer size in exact pixels.
    virtual void layout_lines(EdgeLines& lines);
    virtual void layout_content() {}
    virtual PixelRect blend_rect() const;  // default (1, 1), SW-2 by SH-2
    // Draws the surface afresh after a BackColor change; by default the plain fill.
    virtual void redraw() { clear_surface(); }
    virtual void edge_colors_changed() {}

    // The properties all four declare, with their keys and defaults (BackColor's default differs).
    static PropertyDecl back_color_property(uint32_t default_color);
    static PropertyDecl enabled_property();
    static PropertyDecl light_color_property();
    static PropertyDecl dark_color_property();

    // Pixels of the outer size, and the ratios of the screen.
    double width_pixels_exact() const;   // outer width in twips / horizontal twips per pixel
    double height_pixels_exact() const;  // outer height in twips / vertical twips per pixel
    // Run once at the end of a derived constructor: the first resize.
    void finish_construction();

    // The end of every setter: tells the host that the property `setter` sets has changed, under the key of
    // its declaration. Reading stored settings and set_property block it (set_property tells the key it set).
    template <class C, class A>
    void changed(void (C::*setter)(A)) {
        for (const PropertyDecl& p : properties()) {
            const auto* declared = std::any_cast<void (C::*)(A)>(&p.setter);
            if (declared != nullptr && *declared == setter) {
                emit property_changed(p.key);
                return;
            }
        }
    }

    // Colours the edge raised or sunken with Color3DLight and Color3DDark (a pressed button shows it sunken).
    void show_edge(EdgeLook look);
    // Checks an opacity given to obtener_imagen_fondo; throws std::out_of_range outside 0..255.
    static uint8_t checked_opacity(int16_t opacity);

    Image32& surface_image() { return surface_.image(); }
    void clear_surface();  // the whole surface in BackColor
    // The blend itself, without the opacity check: clear, then blend into blend_rect().
    void blend_background(SurfaceHandle source, int32_t x, int32_t y, uint8_t opacity);

    // Where the keyboard focus mark goes (outermost pixels, dotted in Color3DLight above everything); an
    // empty rectangle for none. Shown only while the control has the focus and the keyboard has been used.
    virtual QRect focus_mark_rect() const { return {}; }
    void update_focus_mark();  // after the focus or the keyboard's use changed

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
    void childEvent(QChildEvent* event) override;

    EdgeLines lines_;

private:
    void relayout();
    const PropertyDecl* find_property(const QString& key) const;
    void color_pair(bool top_left, uint32_t color);  // both lines of a pair

    RegisteredImage surface_;
    uint32_t back_color_;
    uint32_t light_, dark_;  // the stored edge colours, whichever way the edge shows them now
    EdgeLook look_;
    TwipsSize outer_;
    bool applying_size_ = false;
    Qt::MouseButtons pressed_ = Qt::NoButton;  // buttons that went down on the control
    bool click_armed_ = false;                 // a left press that a release inside turns into Click
    QWidget* overlay_ = nullptr;  // paints the edge lines above every inner element
};

}  // namespace morvane::controls
