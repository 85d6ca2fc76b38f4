#include "control_test_support.h"

#include <QScreen>

namespace morvane {
namespace {

using testing::qt_app;

TEST(ScreenMetrics, TwipsPerPixelFollowTheScreensDotsPerInchUnlessATestSetsThem) {
    qt_app();
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_DOUBLE_EQ(twips_per_pixel().x, 1440.0 / screen->logicalDotsPerInchX());
    EXPECT_DOUBLE_EQ(twips_per_pixel().y, 1440.0 / screen->logicalDotsPerInchY());
    {
        ScopedTwipsPerPixel odd({12.0, 20.0});
        EXPECT_EQ(twips_per_pixel(), (TwipsPerPixel{12.0, 20.0}));
    }
    EXPECT_DOUBLE_EQ(twips_per_pixel().x, 1440.0 / screen->logicalDotsPerInchX());
}

TEST(SystemColors, SystemColourValuesResolveThroughTheSystemAndPlainOnesPassThrough) {
    qt_app();
    EXPECT_EQ(to_qcolor(kSystemWindowText), QGuiApplication::palette().color(QPalette::Active, QPalette::Text));
    EXPECT_EQ(to_qcolor(kSystemWindow), QGuiApplication::palette().color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(to_qcolor(0x0050B5C4), QColor(0xC4, 0xB5, 0x50)) << "red lives in the lowest byte";
    EXPECT_EQ(resolve_color(0x80000010), 0x808080u) << "button shadow from the classic table";
    EXPECT_EQ(resolve_color(0x800000FF), 0x000000u) << "an index past the table";
}

}  // namespace
}  // namespace morvane
