#include "app/picture_view.h"

#include "platform/pictures/picture_surface.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace morvane::app {

PictureView::PictureView(const PictureSurface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    refresh();
}

void PictureView::refresh() {
    resize(surface_.width_pixels(), surface_.height_pixels());
    update();
}

void PictureView::paintEvent(QPaintEvent* event) {
    const Image32& image = surface_.image();
    if (image.empty()) return;
    // B, G, R, 255 in memory is QImage's RGB32 on the little-endian machines the program runs on.
    const QImage view(image.bytes.data(), image.width, image.height, int(image.stride()), QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(event->rect(), view, event->rect());
}

}  // namespace morvane::app
