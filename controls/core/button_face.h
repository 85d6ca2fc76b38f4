#pragma once
// elboton, the push button, as plain data and pixels: a flat rectangle in BackColor with a raised one-pixel
// edge and a one-line caption (with an optional black shadow copy one pixel right and below). While it is held
// down (left button or Space) the edge colours swap. Height always 360 twips (24 pixels), width at least 500.
#include "controls/core/outer_size.h"
#include "controls/core/palette.h"
#include "controls/core/property_list.h"
#include "controls/core/skin.h"
#include "controls/core/text.h"
#include "platform/pictures/image32.h"

#include <cstdint>
#include <string>

namespace morvane::controls {

struct ButtonFace {
    uint32_t fore = palette::kCaption;  // ForeColor: the caption's; the shadow copy is always black
    uint32_t back = palette::kPanel;  // BackColor
    bool enabled = true;
    std::string caption = "Boton";
    uint32_t light = palette::kLightEdge;  // Color3DLight
    uint32_t dark = palette::kDarkEdge;  // Color3DDark
    FontSpec font;
    bool drop_shadow = false;
    bool center_caption = false;
};

// In the order the button writes its settings.
const PropertyList<ButtonFace>& button_properties();

inline constexpr SizeRule kButtonSizeRule{360.0, 500.0};

struct ButtonState {
    bool held = false;        // pressed in: the edge shows sunken
    bool focus_mark = false;  // it has the focus and the keyboard has been used in its window
};

// Where the caption and its shadow copy stand, in the button's pixels.
struct CaptionPlace {
    int x = 6, y = 3;
    int shadow_x = 7, shadow_y = 4;
    TextExtent extent;
};

// x 6 and 7, or centred on the outer width; vertically centred when the text is lower than the button.
CaptionPlace place_caption(const ButtonFace& face, double width_twips, TwipsPerPixel ratios, int height_pixels,
                           TextService& text);

// The whole button on its surface (sized to the outer size): fill, shadow, caption, edge, focus mark.
void paint_button(Image32& surface, const ButtonFace& face, ButtonState state, double width_twips,
                  TwipsPerPixel ratios, TextService& text, const BackgroundBlend* blend = nullptr);

}  // namespace morvane::controls
