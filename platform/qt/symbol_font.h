#pragma once
// The two symbols the program shows with the "Marlett" symbol font, and the text face "Tahoma", with stand-ins
// where the system lacks them (as on Linux): the symbols are then drawn as shapes in the same box and colour,
// and "Tahoma" is mapped to a close sans-serif face, so that fonts keep their stored names everywhere.
#include "platform/system/symbol_glyph.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace morvane {

// Whether the system has the "Marlett" font itself.
bool has_marlett();

// Draws the glyph centred in `box` in `color`, at `point_size` points and the given font weight: with Marlett
// where it exists, otherwise as a shape of the size Marlett gives it (a cross two pixels thick, a triangle
// widening downwards) so that the look is the same.
void paint_symbol(QPainter& painter, const QRect& box, SymbolGlyph glyph, const QColor& color, double point_size,
                  int weight = 500);

// Maps "Tahoma" (and "MS Sans Serif") to a close sans-serif face installed here when the system lacks them.
// Safe to call often; it does its work once.
void install_font_fallbacks();

// A font of the face, size in points, and weight, with the fallbacks installed.
QFont program_font(const QString& family, double point_size, bool bold = false);

}  // namespace morvane
