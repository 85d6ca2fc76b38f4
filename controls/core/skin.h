#pragma once
// The look the four skinned controls share, as plain pixels: the surface (a plain fill in the BackColor), the
// four one-pixel edge lines framing it in two colours, and the dotted keyboard focus mark. Colours are
// 0x00BBGGRR or system colours (0x80000000 + index), resolved with the classic defaults.
#include "platform/pictures/image32.h"

#include <cstdint>

namespace morvane::controls {

// One line element: horizontal or vertical, end points in the control's pixels (fractions allowed, rounded
// to the nearest pixel when drawn), both end points drawn, clipped to the control.
struct EdgeLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // pixels
    uint32_t color = 0;                      // 0x00BBGGRR or system colour
};

// The two pairs: top-left (top, left) and bottom-right (right, bottom).
struct EdgeLines {
    EdgeLine top, left, right, bottom;
};

// Raised: Color3DLight on the top-left pair, Color3DDark on the bottom-right pair. Sunken: the other way round.
enum class EdgeLook { Raised, Sunken };

// A box one pixel inside `width` x `height` pixels: top and bottom lines the whole width, left and right
// lines the whole height.
void place_box_edge(EdgeLines& lines, double width, double height);

// Colours the two pairs for the look: Color3DLight and Color3DDark as stored.
void color_edge(EdgeLines& lines, EdgeLook look, uint32_t light, uint32_t dark);

// A piece of another picture blended onto a control's surface inside `rect` (obtener_imagen_fondo) at a constant
// opacity: 0 leaves the plain fill, 255 copies the picture. The piece is copied when the blend is asked for, so
// the control never reads a picture that has gone; a piece outside the picture leaves the plain fill.
struct BackgroundBlend {
    Image32 piece;  // rect.width x rect.height pixels of the picture, or empty
    PixelRect rect;  // where it goes on the surface
    uint8_t opacity = 0;
};
BackgroundBlend blend_of(const Image32& picture, int x, int y, PixelRect rect, uint8_t opacity);

// The surface in `back`, with the blend over it when there is one.
void paint_background(Image32& surface, uint32_t back, const BackgroundBlend* blend);

// A rectangle of the surface in one colour, clipped to it.
void paint_rect(Image32& surface, PixelRect rect, uint32_t color);

// The top-left pair first, then the bottom-right pair, so that the corner pixels they share take the colour
// of the bottom-right pair, as in the platform's own raised and sunken edges.
void paint_edge_lines(Image32& surface, const EdgeLines& lines);

// A dotted one-pixel rectangle on every other pixel, as Windows draws its focus rectangle; `rect` is the
// outermost pixels (both edges included), the dots on a checkerboard anchored at its top-left corner.
void paint_focus_mark(Image32& surface, PixelRect rect, uint32_t color);

}  // namespace morvane::controls
