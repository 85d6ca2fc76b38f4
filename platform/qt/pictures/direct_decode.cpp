#include "platform/qt/pictures/direct_decode.h"

#include "platform/codecs/jpeg_decode.h"

#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

namespace morvane {

namespace {

// `decode` over the file's mapped bytes (not the reader's position: the reader may still decode the file).
template <class Decode>
std::optional<LoadedPicture> over_mapped_bytes(QFile& file, Decode decode) {
    const qint64 size = file.size();
    uchar* bytes = size > 0 ? file.map(0, size) : nullptr;
    if (!bytes) return std::nullopt;
    std::optional<LoadedPicture> picture = decode(bytes, size_t(size));
    file.unmap(bytes);
    return picture;
}

}  // namespace

std::optional<LoadedPicture> decode_directly(QFile& file, QImageReader& reader, size_t max_bytes,
                                             const std::string& shown) {
    const QByteArray format = reader.format();
    if (format == "jpeg")
        return over_mapped_bytes(file, [&](const uint8_t* b, size_t n) { return decode_jpeg(b, n, max_bytes, shown); });
    if (format == "png")
        return over_mapped_bytes(file, [&](const uint8_t* b, size_t n) { return decode_png(b, n, max_bytes, shown); });
    return std::nullopt;
}

bool decodes_in_place(QImageReader& reader) {
    const QSize size = reader.size();
    // Read as a number: for a damaged file some of Qt's handlers report a format that no enumerator names.
    const int reported = int(reader.imageFormat());
    return (reported == QImage::Format_RGB32 || reported == QImage::Format_ARGB32) && size.isValid() &&
           !size.isEmpty() && reader.transformation() == QImageIOHandler::TransformationNone;
}

QImage image_over(Image32& pixels, QImageReader& reader) {
    if (!decodes_in_place(reader)) return QImage();
    const QSize size = reader.size();
    const int reported = int(reader.imageFormat());
    const QImage::Format format = reported == QImage::Format_RGB32 ? QImage::Format_RGB32 : QImage::Format_ARGB32;
    pixels = Image32::unfilled(size.width(), size.height());
    // 0xAARRGGBB words: blue, green, red, alpha in memory, the program's own layout once alpha is settled.
    return QImage(pixels.bytes.data(), pixels.width, pixels.height, qsizetype(pixels.stride()), format);
}

void lay_over_black(QImage& image) {
    if (image.format() != QImage::Format_ARGB32) return;
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        // Premultiplied colour is exactly the colour laid over black; Qt's own rounding keeps it equal to the
        // copy that pictures Qt decodes elsewhere go through.
        for (int x = 0; x < image.width(); ++x) row[x] = qPremultiply(row[x]) | 0xff000000u;
    }
}

}  // namespace morvane
