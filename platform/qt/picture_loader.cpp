#include "platform/qt/picture_loader.h"

#include "platform/qt/direct_decode.h"
#include "platform/qt/qimage_pixels.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>


namespace morvane {
namespace {

// Qt refuses anything above 128 MB by default.
constexpr int kAllocationLimitMegabytes = int(kPictureAllocationLimitBytes >> 20);

QString qt_path(const std::filesystem::path& file) {
#ifdef _WIN32
    return QString::fromStdWString(file.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(file.native()));
#endif
}

LoadedPicture failure(const std::string& message) {
    return LoadedPicture{Image32{}, message};
}

}  // namespace

LoadedPicture load_picture(const std::filesystem::path& file) {
    const QString name = qt_path(file);
    const std::string shown = QFileInfo(name).absoluteFilePath().toStdString();
    const QFileInfo info(name);
    if (!info.exists()) return failure(picture_message::missing(shown));
    if (info.isDir()) return failure(picture_message::folder(shown));
    // A pipe or a device would keep the open below waiting for data that may never come.
    if (!info.isFile()) return failure(picture_message::not_a_file(shown));

    QFile input(name);
    if (!input.open(QIODevice::ReadOnly))
        return failure(picture_message::cannot_open(shown, input.errorString().toStdString()));

    QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
    QImageReader reader(&input);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QSize size = reader.size();  // from the file's header, before any pixel is decoded
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > kPictureAllocationLimitBytes)
        return failure(picture_message::too_large(shown, size.width(), size.height()));
    const size_t max_bytes = size_t(kPictureAllocationLimitBytes);
    if (std::optional<Image32> jpeg = decode_jpeg_directly(input, reader, max_bytes))
        return LoadedPicture{std::move(*jpeg), {}};
    Image32 pixels;
    QImage decoded = image_over(pixels, reader);
    if (!reader.read(&decoded) || decoded.isNull())
        return failure(picture_message::unreadable(shown, reader.errorString().toStdString()));
    if (!pixels.empty() && decoded.constBits() == pixels.bytes.data()) {
        pixels.touch();
        return LoadedPicture{std::move(pixels), {}};
    }
    return LoadedPicture{opaque_pixels(decoded), {}};
}

}  // namespace morvane
