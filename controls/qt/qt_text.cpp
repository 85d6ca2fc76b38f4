#include "controls/qt/qt_text.h"

#include "platform/qt/program_font.h"
#include "platform/qt/system_colors.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace morvane::controls {

namespace {

// A QLabel's own flags, so that the text stands where a label of that size would put it.
constexpr int kLabelFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextExpandTabs;

QRect label_box(const QFontMetrics& metrics, const QString& text) {
    return metrics.boundingRect(QRect(0, 0, 2000, 2000), kLabelFlags, text);
}

}  // namespace

QFont qt_font(const FontSpec& font) {
    QFont f = program_font(QString::fromStdString(font.family), font.points, font.weight >= 600);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

FontSpec font_spec(const QFont& font) {
    return FontSpec{font.family().toStdString(), font.pointSizeF(), font.bold() ? 700 : 400, font.italic(),
                    font.underline()};
}

TextExtent QtTextService::measure(const FontSpec& font, const std::string& utf8) {
    const QFontMetrics metrics(qt_font(font));
    const QRect box = label_box(metrics, QString::fromStdString(utf8));
    return TextExtent{box.width(), metrics.height(), std::max(box.height(), metrics.height())};
}

namespace {

// The line in `box` with Qt's own placing: `flags` as a QLabel of that alignment gives them.
void draw_line(Image32& target, PixelRect clip, const FontSpec& font, const std::string& utf8, PixelRect box,
               uint32_t colorref, int flags) {
    if (target.empty() || utf8.empty()) return;
    // Over the target's own bytes: a view made from const bytes would copy them on the first stroke.
    QImage view(target.bytes.data(), target.width, target.height, qsizetype(target.stride()), QImage::Format_RGB32);
    QPainter painter(&view);
    painter.setClipRect(QRect(clip.x, clip.y, clip.width, clip.height));
    painter.setFont(qt_font(font));
    painter.setPen(to_qcolor(colorref));
    painter.drawText(QRect(box.x, box.y, box.width, box.height), flags, QString::fromStdString(utf8));
    painter.end();
    target.touch();
}

}  // namespace

void QtTextService::draw(Image32& target, PixelRect clip, const FontSpec& font, const std::string& utf8, PixelRect box,
                         uint32_t colorref) {
    draw_line(target, clip, font, utf8, box, colorref, kLabelFlags);
}

void QtTextService::draw_centred(Image32& target, PixelRect clip, const FontSpec& font, const std::string& utf8,
                                 PixelRect box, uint32_t colorref) {
    draw_line(target, clip, font, utf8, box, colorref, (kLabelFlags & ~Qt::AlignLeft) | Qt::AlignHCenter);
}

bool QtTextService::has_family(const std::string& family) {
    return QFontDatabase::families().contains(QString::fromStdString(family), Qt::CaseInsensitive);
}

QtTextService& qt_text() {
    static QtTextService service;
    return service;
}

}  // namespace morvane::controls
