#include "control_test_support.h"
#include "controls/elboton.h"

namespace morvane::controls {
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

TEST_F(Button, AtRestItsEdgeIsRaisedAroundTheFillAndADisabledButtonLooksTheSame) {
    const QImage image = shot(*b);
    ASSERT_EQ(image.size(), QSize(117, 24));
    expect_edge(image, 0x95AAA0, dark_shown());
    EXPECT_EQ(colorref_at(image, 0, 23), 0x95AAA0u) << "the left line reaches the last row";
    EXPECT_EQ(colorref_at(image, 1, 1), 0x646464u);
    int white = 0;  // the caption's smoothed text
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 117; ++x) white += b->caption_geometry().contains(x, y) && qGray(image.pixel(x, y)) > 200;
    EXPECT_GT(white, 20) << "white caption text";
    b->set_Enabled(false);
    EXPECT_EQ(shot(*b), image);
}

TEST_F(Button, ItKeepsAtLeast500TwipsWideAndExactly360HighHoweverItIsResized) {
    b->set_size_twips(100, 1000);
    EXPECT_EQ(b->size_twips().width, 500);
    EXPECT_EQ(b->size_twips().height, 360);
    b->resize(10, 50);  // resized by the window in pixels
    QApplication::processEvents();
    EXPECT_EQ(b->size(), QSize(33, 24));
    EXPECT_EQ(colorref_at(shot(*b), 32, 10), dark_shown()) << "right line on the last column";
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
    send_mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(100, 12));
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

TEST_F(Button, AClickOnTheCaptionOrBesideItRaisesOneClickAndAPressReleasedOutsideNone) {
    b->set_CenterCaption(true);
    auto clicks = record(b, &SkinnedControl::Click);
    const QPoint on_caption = b->caption_geometry().center();
    click(b, on_caption);
    EXPECT_EQ(clicks->size(), 1u);
    click(b, QPointF(113, 20));
    EXPECT_EQ(clicks->size(), 2u);
    send_mouse(b, QEvent::MouseButtonPress, Qt::LeftButton, on_caption);
    send_mouse(b, QEvent::MouseMove, Qt::LeftButton, QPointF(300, 60));
    send_mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(300, 60));
    EXPECT_EQ(clicks->size(), 2u);
    EXPECT_EQ(colorref_at(shot(*b), 50, 0), 0x95AAA0u) << "and the edge is raised again";
}

}  // namespace
}  // namespace morvane::controls
