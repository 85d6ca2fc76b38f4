#include "control_test_support.h"
#include "controls/elboton.h"

#include <QFontMetrics>

#include <cmath>

namespace morvane {
namespace {

using namespace morvane::testing;

class Button : public ControlTest {
protected:
    Button() {
        b->read_properties(PropertyBag{{"caption", "Make Background"}, {"backcolor", 0x646464u}});
        b->set_geometry_pixels(0, 0, 117, 24);
        host.resize(400, 100);
        host.show();
    }
    elboton* b = new elboton(&host);
};

// Pixels in `area` near white (bright) or near black (dark): text is smoothed.
int text_pixels(const QImage& image, QRect area, bool bright) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += bright ? qGray(image.pixel(x, y)) > 200 : qGray(image.pixel(x, y)) < 40;
    return n;
}

TEST_F(Button, AtRestItsEdgeIsRaisedAroundTheFillAndADisabledButtonLooksTheSame) {
    const QImage image = shot(*b);
    ASSERT_EQ(image.size(), QSize(117, 24));
    expect_edge(image, 0x95AAA0, dark_shown());
    EXPECT_EQ(colorref_at(image, 0, 23), 0x95AAA0u) << "the left line reaches the last row";
    EXPECT_EQ(colorref_at(image, 1, 1), 0x646464u);
    EXPECT_GT(text_pixels(image, b->caption_geometry(), true), 20) << "white caption text";
    b->set_Enabled(false);
    EXPECT_EQ(shot(*b), image);
}

TEST_F(Button, ItKeepsAtLeast500TwipsWideAndExactly360HighHoweverItIsResized) {
    EXPECT_EQ(elboton(&host).size_twips().width, 1200) << "a new button";
    b->set_size_twips(100, 1000);
    EXPECT_EQ(b->size_twips().width, 500);
    EXPECT_EQ(b->size_twips().height, 360);
    b->resize(10, 50);  // resized by the window in pixels
    QApplication::processEvents();
    EXPECT_EQ(b->size(), QSize(33, 24));
    EXPECT_EQ(colorref_at(shot(*b), 32, 10), dark_shown()) << "right line on the last column";
}

TEST_F(Button, TheCaptionSitsAtSixOrInTheMiddleCentredDownwardsUnlessItIsTooTall) {
    b->set_size_twips(1500, 360);
    const int top = int(std::floor(12 - QFontMetrics(b->Font()).height() / 2.0));
    EXPECT_EQ(b->caption_geometry().topLeft(), QPoint(6, top));
    EXPECT_EQ(b->shadow_geometry().topLeft(), QPoint(7, top + 1));
    b->set_CenterCaption(true);
    const int w = b->caption_geometry().width();
    EXPECT_EQ(b->caption_geometry().x(), int(std::lround(50 - w / 2.0))) << "(1500 / 2) / 15 - width / 2";
    EXPECT_EQ(b->shadow_geometry().x(), int(std::lround(51 - w / 2.0)));
    b->set_property(QStringLiteral("FontSize"), 30);
    ASSERT_GE(b->caption_geometry().height(), 24);
    EXPECT_EQ(b->caption_geometry().y(), top) << "a caption as tall as the button keeps its top";
}

TEST_F(Button, ALeftPressSwapsTheEdgeBeforeMouseDownARightPressLeavesItRaised) {
    shot(*b);
    std::vector<uint32_t> top_line;  // at MouseDown, then at MouseUp
    auto look = [&](int16_t, int16_t, float, float) { top_line.push_back(colorref_at(b->grab().toImage(), 50, 0)); };
    QObject::connect(b, &SkinnedControl::MouseDown, b, look);
    QObject::connect(b, &SkinnedControl::MouseUp, b, look);
    send_mouse(b, QEvent::MouseButtonPress, Qt::LeftButton, QPointF(100, 12));
    const QImage pressed = shot(*b);
    EXPECT_EQ(colorref_at(pressed, 0, 12), dark_shown()) << "left turns dark";
    EXPECT_EQ(colorref_at(pressed, 116, 12), 0x95AAA0u) << "right turns light";
    EXPECT_EQ(b->Color3DLight(), 0x80000008u) << "reads the colour the top line shows";
    send_mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(100, 12));
    EXPECT_EQ(b->Color3DLight(), 0x95AAA0u);
    EXPECT_EQ(top_line, (std::vector<uint32_t>{dark_shown(), 0x95AAA0u}));
    auto down = record(b, &SkinnedControl::MouseDown);
    auto clicks = record(b, &SkinnedControl::Click);
    send_mouse(b, QEvent::MouseButtonPress, Qt::RightButton, QPointF(20, 12), Qt::ControlModifier);
    send_mouse(b, QEvent::MouseButtonRelease, Qt::RightButton, QPointF(20, 12));
    EXPECT_EQ(top_line, (std::vector<uint32_t>{dark_shown(), 0x95AAA0u, 0x95AAA0u, 0x95AAA0u}));
    ASSERT_EQ(down->size(), 1u);
    EXPECT_EQ((*down)[0], std::make_tuple(int16_t(2), int16_t(2), 20.0f, 12.0f)) << "right, ctrl, x, y";
    EXPECT_EQ(clicks->size(), 0u);
}

TEST_F(Button, AClickOnTheCaptionOrBesideItRaisesOneClickAndMovesCountOnlyOverTheCaption) {
    b->set_CenterCaption(true);
    auto clicks = record(b, &SkinnedControl::Click);
    auto moves = record(b, &SkinnedControl::MouseMove);
    const QPoint on_caption = b->caption_geometry().center();
    click(b, on_caption);
    click(b, QPointF(113, 20));
    EXPECT_EQ(clicks->size(), 2u);
    send_mouse(b, QEvent::MouseMove, Qt::NoButton, QPointF(113, 20));
    EXPECT_EQ(moves->size(), 0u) << "beside the caption";
    send_mouse(b, QEvent::MouseMove, Qt::NoButton, on_caption);
    EXPECT_EQ(moves->size(), 1u);
    // Pressed on the caption, released outside: the moves follow the pointer, no Click, the edge comes back.
    send_mouse(b, QEvent::MouseButtonPress, Qt::LeftButton, on_caption);
    send_mouse(b, QEvent::MouseMove, Qt::LeftButton, QPointF(300, 60));
    send_mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(300, 60));
    EXPECT_EQ(moves->size(), 2u);
    EXPECT_EQ(clicks->size(), 2u);
    EXPECT_EQ(colorref_at(shot(*b), 50, 0), 0x95AAA0u);
}

TEST_F(Button, TheBlackShadowCopyIsShownOnlyWhileDropShadowIsOn) {
    EXPECT_FALSE(b->shadow_shown());
    b->set_DropShadow(true);
    EXPECT_GT(text_pixels(shot(*b), QRect(1, 1, 115, 22), false), 5);
    b->set_DropShadow(false);
    EXPECT_FALSE(b->shadow_shown());
}

}  // namespace
}  // namespace morvane
