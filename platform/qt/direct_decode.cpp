#include "platform/qt/direct_decode.h"

#include "platform/jpeg_decode.h"

#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

namespace morvane {

std::optional<Image32> decode_jpeg_directly(QFile& file, QImageReader& reader, size_t max_bytes) {
    if (reader.format() != "jpeg" || reader.transformation() != QImageIOHandler::TransformationNone)
        return std::nullopt;
    const qint64 size = file.size();
    uchar* bytes = size > 0 ? file.map(0, size) : nullptr;  // not the reader's position: it may still decode
    if (!bytes) return std::nullopt;
    std::optional<Image32> picture = decode_jpeg(bytes, size_t(size), max_bytes);
    file.unmap(bytes);
    return picture;
}

QImage image_over(Image32& pixels, QImageReader& reader) {
    const QSize size = reader.size();
    if (reader.imageFormat() != QImage::Format_RGB32 || !size.isValid() || size.isEmpty() ||
        reader.transformation() != QImageIOHandler::TransformationNone)
        return QImage();
    pixels = Image32::unfilled(size.width(), size.height());
    // 0xffRRGGBB words: blue, green, red, 255 in memory, the program's own layout.
    return QImage(pixels.bytes.data(), pixels.width, pixels.height, qsizetype(pixels.stride()), QImage::Format_RGB32);
}

}  // namespace morvane
