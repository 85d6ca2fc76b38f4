#include "platform/qt/pictures/picture_loader.h"

#include "platform/codecs/bmp_rows.h"
#include "platform/files/input_file.h"
#include "platform/codecs/png_decode.h"
#include "platform/qt/pictures/direct_decode.h"
#include "platform/qt/pictures/qimage_pixels.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMessageLogContext>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string_view>

namespace morvane {
namespace {

QString qt_path(const std::filesystem::path& file) {
#ifdef _WIN32
    return QString::fromStdWString(file.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(file.native()));
#endif
}

LoadedPicture failure(const std::string& message) {
    return LoadedPicture::failed(message);
}

// Qt's ceiling on what one decode may allocate is the whole program's: set for this load only.
class AllocationLimit {
public:
    explicit AllocationLimit(int megabytes) : before_(QImageReader::allocationLimit()) {
        QImageReader::setAllocationLimit(megabytes);
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(before_); }

private:
    int before_;
};

// Qt's decoders say what they meet on standard error ("qt.gui.imageio.jpeg: Premature end of JPEG file",
// "libpng warning: ..."), before the message that the loader gives. While a picture loads, their lines are kept
// here instead: the loader's message says it once, and a JPEG line that means missing pixels refuses the file.
// (libpng's errors inside Qt bypass Qt's logging; the PNGs Qt still decodes are only 16-bit and interlaced ones.)
class DecoderLines {
public:
    DecoderLines() : previous_(qInstallMessageHandler(&DecoderLines::handle)) { active_ = this; }
    ~DecoderLines() {
        qInstallMessageHandler(previous_);
        active_ = nullptr;
    }
    DecoderLines(const DecoderLines&) = delete;
    DecoderLines& operator=(const DecoderLines&) = delete;

    // The first line Qt's JPEG decoder gave that means rows are missing or wrong, or "".
    std::string damage() const {
        for (const QString& line : jpeg_lines_)
            if ((line.startsWith("Premature end") || line.startsWith("Corrupt JPEG data")) && !line.contains("extraneous"))
                return line.toStdString();
        return {};
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        const std::string_view category = context.category ? context.category : "";
        if (active_ && category.starts_with("qt.gui.imageio")) {
            if (category == "qt.gui.imageio.jpeg") active_->jpeg_lines_.push_back(text.trimmed());
            return;
        }
        if (active_ && active_->previous_) return active_->previous_(type, context, text);
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
    }

    static inline DecoderLines* active_ = nullptr;  // pictures load on one thread at a time
    QtMessageHandler previous_;
    QStringList jpeg_lines_;
};

// Bytes the decoder will hold for the picture: never less than our own 4 per pixel, more for the 16-bit
// formats some PNGs decode to.
qint64 decoded_bytes(const QSize& size, QImage::Format format) {
    const int bits = format == QImage::Format_Invalid ? 32 : std::max(32, int(QImage::toPixelFormat(format).bitsPerPixel()));
    return qint64(size.width()) * size.height() * (bits / 8);
}

}  // namespace

LoadedPicture load_picture(const std::filesystem::path& file, uint64_t max_picture_bytes) {
    // For messages only: the file itself is opened by the system's own bytes of its name.
    std::error_code ec;
    const std::string shown = qt_path(std::filesystem::absolute(file, ec).lexically_normal()).toStdString();
    Result<InputFile> opened = open_input_file(file, picture_message::refusals(shown));
    if (!opened.ok) return failure(opened.error);
    InputFile& in = opened.value;
    // What the header claims is set against what the file holds before any buffer of that size exists; a PNG's
    // checksums are checked here too, since libpng inside Qt prints its own line for a wrong one.
    if (const Outcome chunks = png_chunks_fit(in, true); !chunks.ok)
        return failure(picture_message::damaged(shown, chunks.error));
    if (const Outcome rows = bmp_rows_fit(in); !rows.ok) return failure(picture_message::damaged(shown, rows.error));

    QFile input;
    if (!input.open(in.release(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return failure(picture_message::cannot_open(shown, input.errorString().toStdString()));

    const DecoderLines decoder_lines;
    // Qt's own ceiling catches the decoders that cannot tell the size beforehand.
    const qint64 limit = qint64(std::min<uint64_t>(max_picture_bytes, uint64_t(INT_MAX) << 20));
    const AllocationLimit qt_limit(int(std::max<qint64>(1, limit >> 20)));
    QImageReader reader(&input);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    if (std::optional<LoadedPicture> direct = decode_directly(input, reader, size_t(limit), shown)) return std::move(*direct);
    const QSize size = reader.size();  // from the file's header, before any pixel is decoded
    // The limit is for the whole load: where Qt decodes into a buffer of its own, our copy comes on top.
    if (size.isValid()) {
        const qint64 ours = qint64(size.width()) * size.height() * 4;
        if ((decodes_in_place(reader) ? ours : decoded_bytes(size, reader.imageFormat()) + ours) > limit)
            return failure(picture_message::too_large(shown, size.width(), size.height()));
    }
    Image32 pixels;
    QImage decoded = image_over(pixels, reader);
    if (!reader.read(&decoded) || decoded.isNull())
        return failure(picture_message::unreadable(shown, reader.errorString().toStdString()));
    if (const std::string damage = decoder_lines.damage(); !damage.empty())
        return failure(picture_message::damaged(shown, damage));
    if (!pixels.empty() && decoded.constBits() == pixels.bytes.data()) {
        lay_over_black(decoded);
        pixels.touch();
        return LoadedPicture::made(std::move(pixels));
    }
    pixels = Image32{};  // Qt decoded into a buffer of its own: ours would only add to the peak
    // In place where Qt can (a picture with transparency), so that no premultiplied copy exists beside ours.
    decoded.convertTo(decoded.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return LoadedPicture::made(opaque_pixels(decoded));
}

}  // namespace morvane
