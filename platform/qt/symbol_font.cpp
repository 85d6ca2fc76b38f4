#include "platform/qt/symbol_font.h"

#include <QFontDatabase>
#include <QPainter>

#include <cmath>

namespace morvane {

namespace {

constexpr const char* kMarlett = "Marlett";

}  // namespace

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
        painter.drawText(box, Qt::AlignCenter, QString::fromStdString(marlett_character(glyph)));
    } else {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        const int dpi = painter.device() != nullptr ? painter.device()->logicalDpiY() : 96;
        for (const PixelRect& r : symbol_shape(glyph, PixelRect{box.x(), box.y(), box.width(), box.height()},
                                               pixels_of_points(point_size, dpi)))
            painter.fillRect(QRect(r.x, r.y, r.width, r.height), painter.brush());
    }
    painter.restore();
}

void install_font_fallbacks() {
    [[maybe_unused]] static const bool once = [] {
        const QStringList families = QFontDatabase::families();
        const QStringList close_faces = {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                                         QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans")};
        for (const QString& face : {QStringLiteral("Tahoma"), QStringLiteral("MS Sans Serif")}) {
            if (!families.contains(face, Qt::CaseInsensitive)) QFont::insertSubstitutions(face, close_faces);
        }
        return true;
    }();
}

QFont program_font(const QString& family, double point_size, bool bold) {
    install_font_fallbacks();
    QFont font(family);
    font.setPointSizeF(point_size);
    font.setBold(bold);
    return font;
}

}  // namespace morvane
