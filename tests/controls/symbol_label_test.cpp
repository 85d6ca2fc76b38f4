#include "control_test_support.h"
#include "controls/symbol_label.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using namespace morvane::testing;

TEST(SymbolLabel, TheCloseGlyphIsDrawnInItsColourOverTheWindowAndAClickIsReported) {
    qt_app();
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette p = window.palette();
    p.setColor(QPalette::Window, QColor(0x64, 0x64, 0x64));
    window.setPalette(p);
    window.resize(30, 30);
    auto* close = new SymbolLabel(SymbolGlyph::Close, &window);
    close->set_color(0xE0E0E0);
    close->setGeometry(10, 8, 11, 14);
    const QImage image = shot(window);
    int glyph = 0, outside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const uint32_t c = colorref_at(image, x, y);
            if (QRect(10, 8, 11, 14).contains(x, y))
                glyph += c == 0xE0E0E0u;
            else
                outside += c != 0x646464u;
        }
    EXPECT_GE(glyph, 10) << "the cross";
    EXPECT_EQ(outside, 0) << "nothing outside its box; the window shows around the glyph";
    EXPECT_EQ(colorref_at(image, 10, 8), 0x646464u) << "transparent back";

    auto clicks = record(close, &SymbolLabel::Click);
    click(close, QPointF(5, 7));
    click(close, QPointF(5, 7), Qt::RightButton);
    send_mouse(close, QEvent::MouseButtonPress, Qt::LeftButton, QPointF(5, 7));
    send_mouse(close, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(40, 40));
    EXPECT_EQ(clicks->size(), 1u) << "left clicks inside only";
}

}  // namespace
}  // namespace morvane
