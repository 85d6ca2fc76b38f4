#include "platform/qt/program_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace morvane {

namespace {

void install_font_fallbacks() {
    [[maybe_unused]] static const bool once = [] {
        const QStringList families = QFontDatabase::families();
        const QStringList close_faces = {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                                         QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans")};
        for (const QString& face : {QStringLiteral("Tahoma"), QStringLiteral("MS Sans Serif")}) {
            if (!families.contains(face, Qt::CaseInsensitive)) QFont::insertSubstitutions(face, close_faces);
        }
        return true;
    }();
}

}  // namespace

QFont program_font(const QString& family, double point_size, bool bold) {
    install_font_fallbacks();
    QFont font(family);
    font.setPointSizeF(point_size);
    font.setBold(bold);
    return font;
}

}  // namespace morvane
