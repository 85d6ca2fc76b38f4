#include "controls/skin_painter.h"

#include "platform/qt/system_colors.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace morvane::controls {

namespace {

int pixel_of(double coordinate) { return int(std::lround(coordinate)); }

void paint_line(QPainter& painter, const EdgeLine& line, QSize clip) {
    const int x1 = pixel_of(std::min(line.x1, line.x2)), x2 = pixel_of(std::max(line.x1, line.x2));
    const int y1 = pixel_of(std::min(line.y1, line.y2)), y2 = pixel_of(std::max(line.y1, line.y2));
    const QRect covered = QRect(QPoint(x1, y1), QPoint(x2, y2)).intersected(QRect(QPoint(0, 0), clip));
    if (!covered.isEmpty()) painter.fillRect(covered, to_qcolor(line.color));
}

}  // namespace

void set_widget_color(QWidget& widget, QPalette::ColorRole role, uint32_t color) {
    QPalette palette = widget.palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, to_qcolor(color));
    widget.setPalette(palette);
}

QImage image_view(const Image32& surface) {
    if (surface.empty()) return {};
    return QImage(surface.bytes.data(), surface.width, surface.height, qsizetype(surface.stride()),
                  QImage::Format_RGB32);
}

void paint_surface(QPainter& painter, const Image32& surface) {
    if (!surface.empty()) painter.drawImage(QPoint(0, 0), image_view(surface));
}

void paint_edge_lines(QPainter& painter, const EdgeLines& lines, QSize clip_pixels) {
    for (const EdgeLine* line : {&lines.top, &lines.left, &lines.right, &lines.bottom})
        paint_line(painter, *line, clip_pixels);
}

}  // namespace morvane::controls
