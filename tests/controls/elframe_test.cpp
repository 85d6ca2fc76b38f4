#include "control_test_support.h"
#include "controls/elframe.h"
#include "platform/qt/screen_metrics.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace morvane {
namespace {

using namespace morvane::testing;

class Frame : public ::testing::Test {
protected:
    void SetUp() override { qt_app(); }
    ScopedTwipsPerPixel ratios{{15.0, 15.0}};
};

TEST_F(Frame, A3000By1500TwipFrameHasItsEdgeOnColumn199AndRow99) {
    elframe frame;
    frame.read_properties(PropertyBag{{"backcolor", 0x646464u}, {"color3dlight", 0x222E28u}, {"color3ddark", 0xB2B2B2u}});
    frame.set_size_twips(3000, 1500);
    const QImage image = shot(frame);
    ASSERT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(colorref_at(image, 100, 0), 0xB2B2B2u) << "top";
    EXPECT_EQ(colorref_at(image, 0, 50), 0xB2B2B2u) << "left";
    EXPECT_EQ(colorref_at(image, 199, 50), 0x222E28u) << "right";
    EXPECT_EQ(colorref_at(image, 100, 99), 0x222E28u) << "bottom";
    EXPECT_EQ(colorref_at(image, 0, 99), 0x222E28u) << "the bottom line covers the corner it shares";
    EXPECT_EQ(colorref_at(image, 199, 0), 0x222E28u) << "the right line covers the corner it shares";
    EXPECT_EQ(colorref_at(image, 1, 1), 0x646464u) << "fill";
    EXPECT_EQ(colorref_at(image, 198, 98), 0x646464u) << "fill next to the edge";
}

TEST_F(Frame, UnequalRatiosStillPutTheEdgeOnTheLastColumnAndRow) {
    ScopedTwipsPerPixel odd({12.0, 20.0});
    elframe frame;
    frame.read_properties(PropertyBag{{"backcolor", 0u}, {"color3dlight", 0xFFFFFFu}});
    frame.set_size_twips(3000, 1500);  // 250 x 75 pixels
    const QImage image = shot(frame);
    ASSERT_EQ(image.size(), QSize(250, 75));
    EXPECT_EQ(colorref_at(image, 249, 40), 0xFFFFFFu);
    EXPECT_EQ(colorref_at(image, 120, 74), 0xFFFFFFu);
    EXPECT_EQ(colorref_at(image, 248, 73), 0x000000u);
}

TEST_F(Frame, WithoutStoredSettingsItReadsTheDefaults) {
    elframe frame;
    frame.read_properties(PropertyBag{});
    EXPECT_EQ(frame.BackColor(), 0x44584Cu);
    EXPECT_TRUE(frame.Enabled());
    EXPECT_EQ(frame.Color3DLight(), 0x95AAA0u);
    EXPECT_EQ(frame.Color3DDark(), 0x80000008u);
    frame.set_size_twips(1500, 1500);
    const QImage image = shot(frame);
    EXPECT_EQ(colorref_at(image, 0, 50), shown(0x80000008u)) << "dark edge in the window-text colour";
    EXPECT_EQ(colorref_at(image, 50, 50), 0x44584Cu);
}

TEST_F(Frame, ANewlyPlacedFrameStoresOnlyWhatDiffersFromTheDefaults) {
    elframe frame;
    EXPECT_EQ(frame.size_twips().width, 8040);
    EXPECT_EQ(frame.size_twips().height, 6525);
    PropertyBag saved;
    frame.write_properties(saved);
    EXPECT_EQ(saved.keys(), (QStringList{"backcolor", "color3ddark"}));
    EXPECT_EQ(saved.read("BackColor").toUInt(), 0x37463Eu);
    EXPECT_EQ(saved.read("Color3DDark").toUInt(), 0x222E28u);
}

TEST_F(Frame, SettingAnEdgeColourRecoloursBothLinesOfItsPairAndNotifiesItsKey) {
    elframe frame;
    frame.set_size_twips(1500, 1500);
    auto changed = record(&frame, &SkinnedControl::property_changed);
    frame.set_Color3DDark(0x0000FF);
    frame.set_Color3DLight(0x00FF00);
    frame.set_BackColor(0x101010);
    frame.set_Enabled(false);
    ASSERT_EQ(changed->size(), 4u);
    EXPECT_EQ(std::get<0>((*changed)[0]), QStringLiteral("Color3DDark"));
    EXPECT_EQ(std::get<0>((*changed)[1]), QStringLiteral("Color3DLight"));
    EXPECT_EQ(std::get<0>((*changed)[2]), QStringLiteral("BackColor"));
    EXPECT_EQ(std::get<0>((*changed)[3]), QStringLiteral("Enabled"));
    EXPECT_EQ(frame.Color3DDark(), 0x0000FFu);
    const QImage image = shot(frame);
    EXPECT_EQ(colorref_at(image, 50, 0), 0x0000FFu);
    EXPECT_EQ(colorref_at(image, 0, 50), 0x0000FFu);
    EXPECT_EQ(colorref_at(image, 99, 50), 0x00FF00u);
    EXPECT_EQ(colorref_at(image, 50, 99), 0x00FF00u);
    EXPECT_EQ(colorref_at(image, 50, 50), 0x101010u) << "a disabled frame looks the same";
}

TEST_F(Frame, StoredSettingsRoundTripAndReadingMakesBothLinesOfAPairEqual) {
    elframe frame;
    frame.read_properties(PropertyBag{{"BACKCOLOR", 0x646464u}, {"enabled", false}, {"color3dlight", 0x222E28u}});
    PropertyBag saved;
    frame.write_properties(saved);
    EXPECT_EQ(saved.keys(), (QStringList{"backcolor", "enabled", "color3dlight"}));
    elframe copy;
    copy.read_properties(saved);
    EXPECT_EQ(copy.BackColor(), 0x646464u);
    EXPECT_FALSE(copy.Enabled());
    EXPECT_EQ(copy.edge_lines().right.color, 0x222E28u);
    EXPECT_EQ(copy.edge_lines().bottom.color, 0x222E28u);
    EXPECT_EQ(copy.edge_lines().top.color, 0x80000008u);
}

TEST_F(Frame, ItHoldsAndClipsWhatIsPlacedInItWithItsEdgeAbove) {
    elframe frame;
    frame.read_properties(PropertyBag{{"backcolor", 0u}, {"color3dlight", 0xB2B2B2u}, {"color3ddark", 0x222E28u}});
    frame.set_geometry_pixels(0, 0, 100, 80);
    auto* picture = new QLabel(&frame);  // bigger than the frame, as the preview is
    picture->setAutoFillBackground(true);
    QPalette p = picture->palette();
    p.setColor(QPalette::Window, QColor(0, 0, 255));
    picture->setPalette(p);
    picture->setGeometry(1, 1, 1024, 1024);
    const QImage image = shot(frame);
    ASSERT_EQ(image.size(), QSize(100, 80));
    EXPECT_EQ(colorref_at(image, 50, 40), 0xFF0000u) << "the picture (blue)";
    EXPECT_EQ(colorref_at(image, 99, 40), 0xB2B2B2u) << "right edge above the picture";
    EXPECT_EQ(colorref_at(image, 50, 79), 0xB2B2B2u) << "bottom edge above the picture";
    EXPECT_EQ(colorref_at(image, 0, 40), 0x222E28u);
}

TEST_F(Frame, MouseEventsReachTheHostWithPositionsInTheFramesPixels) {
    elframe frame;
    frame.set_geometry_pixels(0, 0, 100, 100);
    auto down = record(&frame, &SkinnedControl::MouseDown);
    auto up = record(&frame, &SkinnedControl::MouseUp);
    auto moves = record(&frame, &SkinnedControl::MouseMove);
    auto clicks = record(&frame, &SkinnedControl::Click);
    auto doubles = record(&frame, &SkinnedControl::DblClick);
    send_mouse(&frame, QEvent::MouseButtonPress, Qt::LeftButton, QPointF(30, 40), Qt::ShiftModifier);
    send_mouse(&frame, QEvent::MouseMove, Qt::NoButton, QPointF(31, 41));
    send_mouse(&frame, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(31, 41));
    ASSERT_EQ(down->size(), 1u);
    EXPECT_EQ((*down)[0], std::make_tuple(int16_t(1), int16_t(1), 30.0f, 40.0f)) << "left, shift, x, y";
    EXPECT_EQ(moves->size(), 1u);
    EXPECT_EQ(up->size(), 1u);
    EXPECT_EQ(clicks->size(), 1u);
    send_mouse(&frame, QEvent::MouseButtonDblClick, Qt::LeftButton, QPointF(31, 41));
    send_mouse(&frame, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(31, 41));
    EXPECT_EQ(doubles->size(), 1u);
    EXPECT_EQ(clicks->size(), 1u) << "the second press of a double click is DblClick, not Click";
    EXPECT_EQ(up->size(), 2u);
}

}  // namespace
}  // namespace morvane
