#include "platform/qt/pictures/qimage_pixels.h"

#include <QImage>

namespace morvane {

Image32 opaque_pixels(const QImage& image) {
    // Premultiplied colour is exactly the colour laid over black.
    const QImage flat = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                                : image.convertToFormat(QImage::Format_RGB32);
    Image32 pixels(flat.width(), flat.height());
    for (int y = 0; y < pixels.height; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(flat.constScanLine(y));
        uint8_t* dst = pixels.row(y);
        for (int x = 0; x < pixels.width; ++x, dst += 4) {
            dst[0] = uint8_t(qBlue(src[x]));
            dst[1] = uint8_t(qGreen(src[x]));
            dst[2] = uint8_t(qRed(src[x]));
            dst[3] = 255;
        }
    }
    return pixels;
}

}  // namespace morvane
