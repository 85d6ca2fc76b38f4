#include "platform/qt/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace morvane {

TwipsPerPixel twips_per_pixel() {
    if (qGuiApp == nullptr) return {};
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const double dpi_x = screen->logicalDotsPerInchX();
    const double dpi_y = screen->logicalDotsPerInchY();
    if (dpi_x <= 0 || dpi_y <= 0) return {};
    return TwipsPerPixel{1440.0 / dpi_x, 1440.0 / dpi_y};
}

}  // namespace morvane
