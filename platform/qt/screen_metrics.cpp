#include "platform/qt/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace morvane {

namespace {

// The screen is one per process, and so is the stand-in screen of a test.
std::optional<TwipsPerPixel>& override_slot() {
    static std::optional<TwipsPerPixel> ratios;
    return ratios;
}

}  // namespace

TwipsPerPixel twips_per_pixel() {
    if (override_slot()) return *override_slot();
    if (qGuiApp == nullptr) return {};
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const double dpi_x = screen->logicalDotsPerInchX();
    const double dpi_y = screen->logicalDotsPerInchY();
    if (dpi_x <= 0 || dpi_y <= 0) return {};
    return TwipsPerPixel{1440.0 / dpi_x, 1440.0 / dpi_y};
}

void set_twips_per_pixel_override(std::optional<TwipsPerPixel> ratios) { override_slot() = ratios; }

ScopedTwipsPerPixel::ScopedTwipsPerPixel(TwipsPerPixel ratios) : previous_(override_slot()) {
    override_slot() = ratios;
}

ScopedTwipsPerPixel::~ScopedTwipsPerPixel() { override_slot() = previous_; }

}  // namespace morvane
