#pragma once
// The look shared by the four skinned controls, kept apart from their behaviour, as Qt paints it: the surface (a
// plain fill in the BackColor that blends and the bar draw on) and the four one-pixel edge lines (their layout
// is in controls/core/skin.h).
#include "controls/core/skin.h"
#include "platform/pictures/alpha_blend.h"
#include "platform/pictures/image32.h"

#include <QImage>
#include <QPalette>
#include <QSize>

#include <cstdint>

class QPainter;
class QWidget;

namespace morvane::controls {

// A colour role of a widget in every state, so that a disabled control looks the same.
void set_widget_color(QWidget& widget, QPalette::ColorRole role, uint32_t color);

// A view of the surface's pixels for painting; valid while the image is neither resized nor destroyed.
QImage image_view(const Image32& surface);

void paint_surface(QPainter& painter, const Image32& surface);

// The top-left pair first, then the bottom-right pair, so that the corner pixels they share take the colour
// of the bottom-right pair, as in the platform's own raised and sunken edges.
void paint_edge_lines(QPainter& painter, const EdgeLines& lines, QSize clip_pixels);

}  // namespace morvane::controls
