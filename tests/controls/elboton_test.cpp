#include "control_test_support.h"
#include "controls/elboton.h"
#include "platform/qt/screen_metrics.h"
#include "platform/qt/symbol_font.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <cmath>

namespace morvane {
namespace {

using namespace morvane::testing;

class Button : public ::testing::Test {
protected:
    Button() {
        host.setFont(program_font(QStringLiteral("Tahoma"), 9.75));
        host.resize(400, 100);
    }
    QApplication& app = qt_app();
    ScopedTwipsPerPixel ratios{{15.0, 15.0}};
    QWidget host;
};

// Pixels of text in `color` (white or black): text is smoothed, so count those close to it.
int count_pixels(const QImage& image, QRect area, uint32_t color) {
    const QColor want(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - want.red()) < 48 && std::abs(c.green() - want.green()) < 48 &&
                 std::abs(c.blue() - want.blue()) < 48;
        }
    return n;
}

TEST_F(Button, AtRestItsEdgeIsRaisedAroundTheFillAndTheCaptionIsDrawnInForeColor) {
    auto* b = new elboton(&host);
    b->read_properties(PropertyBag{{"caption", "Make Background"}, {"backcolor", 0x646464u}});
    b->set_geometry_pixels(0, 0, 117, 24);
    const QImage image = shot(*b);
    ASSERT_EQ(image.size(), QSize(117, 24));
    EXPECT_EQ(colorref_at(image, 50, 0), 0x95AAA0u) << "top light";
    EXPECT_EQ(colorref_at(image, 0, 12), 0x95AAA0u) << "left light";
    EXPECT_EQ(colorref_at(image, 0, 23), 0x95AAA0u) << "the left line reaches the last row";
    EXPECT_EQ(colorref_at(image, 116, 12), shown(0x80000008u)) << "right dark";
    EXPECT_EQ(colorref_at(image, 50, 23), shown(0x80000008u)) << "bottom dark";
    EXPECT_EQ(colorref_at(image, 1, 1), 0x646464u);
    EXPECT_GT(count_pixels(image, b->caption_geometry(), 0xFFFFFFu), 20) << "white caption text";
}

TEST_F(Button, ItKeepsAtLeast500TwipsWideAndExactly360High) {
    auto* b = new elboton(&host);
    EXPECT_EQ(b->size_twips().width, 1200) << "a new button";
    b->set_size_twips(100, 1000);
    EXPECT_EQ(b->size_twips().width, 500);
    EXPECT_EQ(b->size_twips().height, 360);
    host.show();
    b->resize(10, 50);  // resized by the window in pixels
    QApplication::processEvents();
    EXPECT_EQ(b->size_twips().width, 500);
    EXPECT_EQ(b->height(), 24);
    EXPECT_EQ(b->width(), 33);
    const QImage image = shot(*b);
    EXPECT_EQ(colorref_at(image, 32, 10), shown(0x80000008u)) << "right line on the last column";
}

TEST_F(Button, TheCaptionSitsAtSixOrInTheMiddleAndIsCentredDownwards) {
    auto* b = new elboton(&host);
    b->read_properties(PropertyBag{{"caption", "Load Picture"}});
    b->set_size_twips(1500, 360);
    host.show();
    const int text_height = QFontMetrics(b->Font()).height();
    const int expected_top = int(std::floor(12 - text_height / 2.0));
    EXPECT_EQ(b->caption_geometry().x(), 6);
    EXPECT_EQ(b->shadow_geometry().x(), 7);
    EXPECT_EQ(b->caption_geometry().y(), expected_top);
    EXPECT_EQ(b->shadow_geometry().y(), expected_top + 1);
    b->set_CenterCaption(true);
    const int w = b->caption_geometry().width();
    EXPECT_EQ(b->caption_geometry().x(), int(std::lround(50 - w / 2.0))) << "(1500 / 2) / 15 - width / 2";
    EXPECT_EQ(b->shadow_geometry().x(), int(std::lround(50 - w / 2.0 + 1)));
}

TEST_F(Button, ACaptionAsTallAsTheButtonKeepsItsTop) {
    auto* b = new elboton(&host);
    b->set_size_twips(3000, 360);
    const int top_before = b->caption_geometry().y();
    b->set_FontSize(30);
    ASSERT_GE(b->caption_geometry().height(), 24);
    EXPECT_EQ(b->caption_geometry().y(), top_before);
}

TEST_F(Button, ALeftPressSwapsTheEdgeBeforeMouseDownAndReleaseRestoresItBeforeMouseUp) {
    auto* b = new elboton(&host);
    b->set_geometry_pixels(0, 0, 117, 24);
    shot(*b);
    std::vector<uint32_t> top_at_down, top_at_up;
    QObject::connect(b, &SkinnedControl::MouseDown, b, [&](int16_t, int16_t, float, float) {
        top_at_down.push_back(colorref_at(b->grab().toImage(), 50, 0));
    });
    QObject::connect(b, &SkinnedControl::MouseUp, b, [&](int16_t, int16_t, float, float) {
        top_at_up.push_back(colorref_at(b->grab().toImage(), 50, 0));
    });
    send_mouse(b, QEvent::MouseButtonPress, Qt::LeftButton, QPointF(100, 12));
    const QImage pressed = shot(*b);
    EXPECT_EQ(colorref_at(pressed, 0, 12), shown(0x80000008u)) << "left turns dark";
    EXPECT_EQ(colorref_at(pressed, 116, 12), 0x95AAA0u) << "right turns light";
    EXPECT_EQ(b->Color3DLight(), 0x80000008u) << "reads the colour the top line shows";
    send_mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(100, 12));
    ASSERT_EQ(top_at_down.size(), 1u);
    EXPECT_EQ(top_at_down[0], shown(0x80000008u));
    ASSERT_EQ(top_at_up.size(), 1u);
    EXPECT_EQ(top_at_up[0], 0x95AAA0u);
    EXPECT_EQ(b->Color3DLight(), 0x95AAA0u);
}

TEST_F(Button, ARightPressRaisesTheEventsAndLeavesTheEdgeRaised) {
    auto* b = new elboton(&host);
    b->set_geometry_pixels(0, 0, 117, 24);
    auto down = record(b, &SkinnedControl::MouseDown);
    auto up = record(b, &SkinnedControl::MouseUp);
    auto clicks = record(b, &SkinnedControl::Click);
    send_mouse(b, QEvent::MouseButtonPress, Qt::RightButton, QPointF(20, 12), Qt::ControlModifier);
    EXPECT_EQ(colorref_at(shot(*b), 50, 0), 0x95AAA0u);
    send_mouse(b, QEvent::MouseButtonRelease, Qt::RightButton, QPointF(20, 12));
    ASSERT_EQ(down->size(), 1u);
    EXPECT_EQ((*down)[0], std::make_tuple(int16_t(2), int16_t(2), 20.0f, 12.0f)) << "right, ctrl, x, y";
    EXPECT_EQ(up->size(), 1u);
    EXPECT_EQ(clicks->size(), 0u);
    EXPECT_EQ(colorref_at(shot(*b), 50, 0), 0x95AAA0u);
}

TEST_F(Button, AClickRaisesClickOnceWhetherOnTheCaptionOrBesideIt) {
    auto* b = new elboton(&host);
    b->read_properties(PropertyBag{{"caption", "Load Picture"}, {"centercaption", true}});
    b->set_geometry_pixels(0, 0, 117, 24);
    host.show();
    auto clicks = record(b, &SkinnedControl::Click);
    const QPoint on_caption = b->caption_geometry().center();
    EXPECT_EQ(b->childAt(on_caption), nullptr) << "the caption passes presses to the button";
    click(b, on_caption);
    EXPECT_EQ(clicks->size(), 1u);
    click(b, QPointF(113, 20));
    EXPECT_EQ(clicks->size(), 2u);
}

TEST_F(Button, PressingOnTheCaptionAndReleasingElsewhereRestoresTheEdgeWithoutAClick) {
    auto* b = new elboton(&host);
    b->set_geometry_pixels(0, 0, 117, 24);
    auto clicks = record(b, &SkinnedControl::Click);
    auto up = record(b, &SkinnedControl::MouseUp);
    auto moves = record(b, &SkinnedControl::MouseMove);
    send_mouse(b, QEvent::MouseButtonPress, Qt::LeftButton, b->caption_geometry().center());
    send_mouse(b, QEvent::MouseMove, Qt::LeftButton, QPointF(300, 60));
    send_mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(300, 60));
    EXPECT_EQ(up->size(), 1u);
    EXPECT_EQ(clicks->size(), 0u);
    EXPECT_EQ(moves->size(), 1u) << "moves after a press on the caption follow the pointer";
    EXPECT_EQ(colorref_at(shot(*b), 50, 0), 0x95AAA0u);
}

TEST_F(Button, MovingOverTheSurfaceBesideTheCaptionRaisesNothing) {
    auto* b = new elboton(&host);
    b->set_geometry_pixels(0, 0, 117, 24);
    auto moves = record(b, &SkinnedControl::MouseMove);
    send_mouse(b, QEvent::MouseMove, Qt::NoButton, QPointF(110, 20));
    EXPECT_EQ(moves->size(), 0u);
    send_mouse(b, QEvent::MouseMove, Qt::NoButton, b->caption_geometry().center());
    EXPECT_EQ(moves->size(), 1u);
}

TEST_F(Button, TheShadowCopyIsShownOnlyWhileDropShadowIsOn) {
    auto* b = new elboton(&host);
    b->set_geometry_pixels(0, 0, 117, 24);
    EXPECT_FALSE(b->shadow_shown());
    b->set_DropShadow(true);
    EXPECT_TRUE(b->shadow_shown());
    EXPECT_GT(count_pixels(shot(*b), QRect(1, 1, 115, 22), 0x000000u), 5) << "black shadow text";
    b->set_DropShadow(false);
    EXPECT_FALSE(b->shadow_shown());
    EXPECT_FALSE(b->DropShadow());
}

TEST_F(Button, StoredSettingsInLowerCaseRoundTripAndLeaveDefaultsOut) {
    auto* b = new elboton(&host);
    b->read_properties(PropertyBag{{"caption", "Make Background"}, {"centercaption", true},
                                   {"backcolor", 0x646464u}, {"fontsize", 12}});
    EXPECT_EQ(b->Caption(), QStringLiteral("Make Background"));
    EXPECT_TRUE(b->CenterCaption());
    EXPECT_EQ(b->FontName(), host.font().family()) << "font defaults come from the host";
    EXPECT_EQ(b->FontSize(), 12.0f);
    PropertyBag saved;
    b->write_properties(saved);
    EXPECT_EQ(saved.keys(), (QStringList{"backcolor", "caption", "font", "fontsize", "centercaption"}));
    auto* copy = new elboton(&host);
    copy->read_properties(saved);
    EXPECT_EQ(copy->Caption(), b->Caption());
    EXPECT_EQ(copy->BackColor(), 0x646464u);
    EXPECT_EQ(copy->FontSize(), 12.0f);
    EXPECT_TRUE(copy->CenterCaption());
    PropertyBag resaved;
    copy->write_properties(resaved);
    EXPECT_EQ(resaved.keys(), saved.keys());
}

TEST_F(Button, EverySetterNotifiesItsOwnKeyAndReadingSettingsNotifiesNothing) {
    auto* b = new elboton(&host);
    auto changed = record(b, &SkinnedControl::property_changed);
    b->read_properties(PropertyBag{{"caption", "x"}});
    EXPECT_EQ(changed->size(), 0u);
    b->set_ForeColor(1);
    b->set_BackColor(2);
    b->set_Enabled(false);
    b->set_Caption(QStringLiteral("y"));
    b->set_Color3DLight(3);
    b->set_Color3DDark(4);
    b->set_Font(host.font());
    b->set_FontName(QStringLiteral("Tahoma"));
    b->set_FontSize(10);
    b->set_FontItalic(true);
    b->set_FontUnderline(true);
    b->set_DropShadow(true);
    b->set_CenterCaption(true);
    const QStringList expected{"ForeColor",  "BackColor", "Enabled",      "Caption",    "Color3DLight",
                               "Color3DDark", "Font",     "FontName",     "FontSize",   "FontItalic",
                               "FontUnderline", "DropShadow", "CenterCaption"};
    ASSERT_EQ(changed->size(), size_t(expected.size()));
    for (int i = 0; i < expected.size(); ++i) EXPECT_EQ(std::get<0>((*changed)[size_t(i)]), expected[i]);
    EXPECT_TRUE(b->set_property(QStringLiteral("caption"), QStringLiteral("by name")));
    EXPECT_EQ(b->Caption(), QStringLiteral("by name"));
    EXPECT_FALSE(b->set_property(QStringLiteral("NoSuchKey"), 1));
}

TEST_F(Button, ADisabledButtonLooksTheSameAndRaisesNothing) {
    auto* b = new elboton(&host);
    b->set_geometry_pixels(0, 0, 117, 24);
    host.show();
    const QImage enabled = shot(*b);
    b->set_Enabled(false);
    EXPECT_EQ(shot(*b), enabled);
}

}  // namespace
}  // namespace morvane
