#include "platform/qt/symbol_font.h"

#include <QFontDatabase>
#include <QPainter>

#include <cmath>

namespace morvane {

namespace {

constexpr const char* kMarlett = "Marlett";

// Pixel size of a point size on the painter's device (96 dots per inch when it cannot tell).
int pixels_of_points(const QPainter& painter, double point_size) {
    const int dpi = painter.device() != nullptr ? painter.device()->logicalDpiY() : 96;
    return std::max(1, int(std::lround(point_size * (dpi > 0 ? dpi : 96) / 72.0)));
}

// Marlett's cross at e px: (e * 0.6) wide, one row less high, strokes two pixels wide.
void paint_close_cross(QPainter& painter, const QRect& box, int em) {
    const int width = std::max(4, int(std::lround(em * 0.6)));
    const int height = width - 1;
    const int x0 = box.left() + (box.width() - width) / 2;
    const int y0 = box.top() + (box.height() - height) / 2;
    for (int i = 0; i < height; ++i) {
        painter.fillRect(QRect(x0 + i, y0 + i, 2, 1), painter.brush());
        painter.fillRect(QRect(x0 + width - 2 - i, y0 + i, 2, 1), painter.brush());
    }
}

// Marlett's triangle at e px: (e * 0.54, odd) wide at the top, one pixel at the tip.
void paint_down_triangle(QPainter& painter, const QRect& box, int em) {
    int width = std::max(3, int(std::lround(em * 0.54)));
    if (width % 2 == 0) ++width;
    const int rows = (width + 1) / 2;
    const int x0 = box.left() + (box.width() - width) / 2;
    const int y0 = box.top() + (box.height() - rows) / 2;
    for (int r = 0; r < rows; ++r) painter.fillRect(QRect(x0 + r, y0 + r, width - 2 * r, 1), painter.brush());
}

}  // namespace

QString marlett_character(SymbolGlyph glyph) {
    return glyph == SymbolGlyph::Close ? QStringLiteral("r") : QStringLiteral("6");
}

bool has_marlett() { return QFontDatabase::families().contains(QString::fromLatin1(kMarlett), Qt::CaseInsensitive); }

void paint_symbol(QPainter& painter, const QRect& box, SymbolGlyph glyph, const QColor& color, double point_size,
                  int weight) {
    painter.save();
    if (has_marlett()) {
        QFont font(QString::fromLatin1(kMarlett));
        font.setPointSizeF(point_size);
        font.setWeight(QFont::Weight(std::clamp(weight / 10 * 10, 100, 900)));
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(box, Qt::AlignCenter, marlett_character(glyph));
    } else {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        const int em = pixels_of_points(painter, point_size);
        if (glyph == SymbolGlyph::Close)
            paint_close_cross(painter, box, em);
        else
            paint_down_triangle(painter, box, em);
    }
    painter.restore();
}

void install_font_fallbacks() {
    static bool done = false;
    if (done) return;
    done = true;
    const QStringList families = QFontDatabase::families();
    const QStringList close_faces = {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                                     QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans")};
    for (const QString& face : {QStringLiteral("Tahoma"), QStringLiteral("MS Sans Serif")}) {
        if (!families.contains(face, Qt::CaseInsensitive)) QFont::insertSubstitutions(face, close_faces);
    }
}

QFont program_font(const QString& family, double point_size, bool bold) {
    install_font_fallbacks();
    QFont font(family);
    font.setPointSizeF(point_size);
    font.setBold(bold);
    return font;
}

}  // namespace morvane
