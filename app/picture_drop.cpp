#include "app/picture_drop.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

#include <system_error>

namespace morvane::app {

namespace {

bool is_picture_file(const QString& local_file) {
    std::error_code ec;
    // Only an ordinary file is looked into: opening a pipe would wait for a writer that never comes.
    if (!std::filesystem::is_regular_file(local_file.toStdU16String(), ec)) return false;
    const QByteArray suffix = QFileInfo(local_file).suffix().toLower().toUtf8();
    if (!suffix.isEmpty() && QImageReader::supportedImageFormats().contains(suffix)) return true;
    return !QImageReader::imageFormat(local_file).isEmpty();
}

}  // namespace

std::optional<std::filesystem::path> dropped_picture(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString file = url.toLocalFile();
        if (is_picture_file(file)) return std::filesystem::path(file.toStdU16String());
    }
    return std::nullopt;
}

}  // namespace morvane::app
