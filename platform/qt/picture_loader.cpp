#include "platform/qt/picture_loader.h"

#include "platform/qt/direct_decode.h"
#include "platform/qt/qimage_pixels.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>


namespace morvane {
namespace {

// Enough for photographs of well over a hundred megapixels; Qt refuses anything above 128 MB by default.
constexpr int kAllocationLimitMegabytes = 1024;

QString qt_path(const std::filesystem::path& file) {
#ifdef _WIN32
    return QString::fromStdWString(file.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(file.native()));
#endif
}

LoadedPicture failure(const QString& message) {
    return LoadedPicture{Image32{}, message.toStdString()};
}

}  // namespace

LoadedPicture load_picture(const std::filesystem::path& file) {
    const QString name = qt_path(file);
    const QString shown = QFileInfo(name).absoluteFilePath();
    const QFileInfo info(name);
    if (!info.exists())
        return failure(QString("The picture \"%1\" does not exist. Choose another .bmp or .jpg file.").arg(shown));
    if (info.isDir())
        return failure(QString("\"%1\" is a folder, not a picture. Choose a .bmp or .jpg file.").arg(shown));
    // A pipe or a device would keep the open below waiting for data that may never come.
    if (!info.isFile())
        return failure(QString("\"%1\" is not an ordinary file (a pipe or a device), so it holds no picture. Choose a "
                               ".bmp or .jpg file.").arg(shown));

    QFile input(name);
    if (!input.open(QIODevice::ReadOnly))
        return failure(QString("The picture \"%1\" cannot be opened (%2). Check that you may read it, or choose "
                               "another file.").arg(shown, input.errorString()));

    QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
    QImageReader reader(&input);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QSize size = reader.size();  // from the file's header, before any pixel is decoded
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > qint64(kAllocationLimitMegabytes) << 20)
        return failure(QString("The picture \"%1\" is too large to load (%2 x %3 pixels). Make it smaller in an "
                               "image editor, or choose another file.")
                           .arg(shown).arg(size.width()).arg(size.height()));
    const size_t max_bytes = size_t(kAllocationLimitMegabytes) << 20;
    if (std::optional<Image32> jpeg = decode_jpeg_directly(input, reader, max_bytes))
        return LoadedPicture{std::move(*jpeg), {}};
    Image32 pixels;
    QImage decoded = image_over(pixels, reader);
    if (!reader.read(&decoded) || decoded.isNull())
        return failure(QString("\"%1\" could not be read as a picture (%2). Choose a .bmp or .jpg file.")
                           .arg(shown, reader.errorString()));
    if (!pixels.empty() && decoded.constBits() == pixels.bytes.data()) {
        pixels.touch();
        return LoadedPicture{std::move(pixels), {}};
    }
    return LoadedPicture{opaque_pixels(decoded), {}};
}

}  // namespace morvane
