#include "control_test_support.h"
#include "platform/qt/screen_metrics.h"
#include "platform/qt/symbol_font.h"
#include "platform/qt/system_colors.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>

#include <gtest/gtest.h>

namespace morvane {
namespace {

using testing::qt_app;

TEST(ScreenMetrics, AScreenOfNinetySixDotsPerInchHasFifteenTwipsPerPixel) {
    qt_app();
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const TwipsPerPixel r = twips_per_pixel();
    EXPECT_DOUBLE_EQ(r.x, 1440.0 / screen->logicalDotsPerInchX());
    EXPECT_DOUBLE_EQ(r.y, 1440.0 / screen->logicalDotsPerInchY());
    if (screen->logicalDotsPerInchX() == 96) {
        EXPECT_DOUBLE_EQ(r.x, 15.0);
    }
}

TEST(ScreenMetrics, TestsCanTryUnequalRatiosAndGetTheScreenBack) {
    qt_app();
    const TwipsPerPixel before = twips_per_pixel();
    {
        ScopedTwipsPerPixel odd({12.0, 20.0});
        EXPECT_EQ(twips_per_pixel(), (TwipsPerPixel{12.0, 20.0}));
    }
    EXPECT_EQ(twips_per_pixel(), before);
}

TEST(SystemColors, SystemColourValuesResolveThroughTheSystemAndPlainOnesPassThrough) {
    qt_app();
    const QPalette palette = QGuiApplication::palette();
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    EXPECT_EQ(to_qcolor(kSystemWindowText), text);
    EXPECT_EQ(to_qcolor(kSystemWindow), base);
    EXPECT_EQ(resolve_color(0x00222E28), 0x222E28u);
    EXPECT_EQ(to_qcolor(0x0050B5C4), QColor(0xC4, 0xB5, 0x50)) << "red lives in the lowest byte";
    EXPECT_EQ(resolve_color(0x80000010), 0x808080u) << "button shadow from the classic table";
    EXPECT_EQ(resolve_color(0x800000FF), 0x000000u) << "an index past the table";
}

TEST(SymbolFont, BothSymbolsAreDrawnInTheirColourInsideTheirBox) {
    qt_app();
    for (SymbolGlyph glyph : {SymbolGlyph::Close, SymbolGlyph::DownTriangle}) {
        QImage image(18, 15, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            paint_symbol(painter, QRect(0, 0, 18, 15), glyph, QColor(0xE0, 0xE0, 0xE0), 9.75);
        }
        int lit = 0, left = 99, right = -1, top = 99, bottom = -1;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 18; ++x)
                if (image.pixel(x, y) == QColor(0xE0, 0xE0, 0xE0).rgb()) {
                    ++lit;
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        EXPECT_GT(lit, 8) << marlett_character(glyph).toStdString();
        EXPECT_LE(std::abs((left + right) - 17), 2) << "centred across";
        EXPECT_LE(std::abs((top + bottom) - 14), 2) << "centred down";
        if (!has_marlett() && glyph == SymbolGlyph::DownTriangle) {
            EXPECT_EQ(right - left + 1, 7) << "Marlett's triangle at 13 pixels";
            EXPECT_EQ(bottom - top + 1, 4);
        }
    }
}

TEST(SymbolFont, TahomaFallsBackToAnInstalledSansSerifFaceAndKeepsItsName) {
    qt_app();
    const QFont font = program_font(QStringLiteral("Tahoma"), 9.75, true);
    EXPECT_EQ(font.family(), QStringLiteral("Tahoma")) << "stored definitions keep the name";
    const QString used = QFontInfo(font).family();
    EXPECT_FALSE(used.isEmpty());
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
        EXPECT_TRUE(used.contains(QStringLiteral("Sans"))) << used.toStdString();
    }
}

}  // namespace
}  // namespace morvane
