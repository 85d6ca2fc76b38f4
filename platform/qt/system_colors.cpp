#include "platform/qt/system_colors.h"

#include <QGuiApplication>
#include <QPalette>

#include <optional>

namespace morvane {

namespace {

std::optional<QPalette::ColorRole> palette_role(uint32_t index) {
    switch (index) {
        case 5: return QPalette::Base;
        case 8: return QPalette::Text;
        case 13: return QPalette::Highlight;
        case 14: return QPalette::HighlightedText;
        case 15: return QPalette::Button;
        case 18: return QPalette::ButtonText;
        case 23: return QPalette::ToolTipText;
        case 24: return QPalette::ToolTipBase;
        default: return std::nullopt;
    }
}

uint32_t colorref_of(const QColor& c) { return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16; }

}  // namespace

uint32_t resolve_color(uint32_t value) {
    if (!is_system_color(value)) return value & 0x00FFFFFFu;
    const uint32_t index = value & 0x00FFFFFFu;
    if (qGuiApp != nullptr) {
        if (auto role = palette_role(index)) return colorref_of(QGuiApplication::palette().color(QPalette::Active, *role));
    }
    return classic_system_color(index);
}

QColor to_qcolor(uint32_t value) {
    const uint32_t c = resolve_color(value);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

}  // namespace morvane
