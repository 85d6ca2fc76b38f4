#include "control_test_support.h"
#include "controls/elframe.h"

#include <QLabel>

namespace morvane::controls {
namespace {

using namespace morvane::testing;

using Frame = ControlTest;

TEST_F(Frame, A3000By1500TwipFrameHasItsSunkenEdgeOnColumn199AndRow99) {
    elframe frame;
    frame.read_properties(PropertyBag{{"backcolor", 0x646464u}, {"color3dlight", 0x222E28u}, {"color3ddark", 0xB2B2B2u}});
    frame.set_size_twips(3000, 1500);
    const QImage image = shot(frame);
    ASSERT_EQ(image.size(), QSize(200, 100));
    expect_edge(image, 0xB2B2B2, 0x222E28);  // on column 199 and row 99
    EXPECT_EQ(colorref_at(image, 0, 99), 0x222E28u) << "the bottom line covers the corner it shares";
    EXPECT_EQ(colorref_at(image, 199, 0), 0x222E28u) << "the right line covers the corner it shares";
    EXPECT_EQ(colorref_at(image, 198, 98), 0x646464u) << "fill next to the edge";
    ScopedTwipsPerPixel odd({12.0, 20.0});  // unequal ratios: 250 x 75 pixels
    frame.set_size_twips(3000, 1500);
    const QImage odd_image = shot(frame);
    ASSERT_EQ(odd_image.size(), QSize(250, 75));
    expect_edge(odd_image, 0xB2B2B2, 0x222E28);
    EXPECT_EQ(colorref_at(odd_image, 248, 73), 0x646464u);
}

TEST_F(Frame, ItClipsWhatIsPlacedInItAndKeepsItsEdgeAbove) {
    elframe frame;
    frame.read_properties(PropertyBag{{"backcolor", 0u}, {"color3dlight", 0xB2B2B2u}, {"color3ddark", 0x222E28u}});
    frame.set_geometry_pixels(0, 0, 100, 80);
    auto* picture = new QLabel(&frame);  // bigger than the frame, as the preview is
    picture->setAutoFillBackground(true);
    set_widget_color(*picture, QPalette::Window, 0xFF0000);
    picture->setGeometry(1, 1, 1024, 1024);
    const QImage image = shot(frame);
    ASSERT_EQ(image.size(), QSize(100, 80));
    EXPECT_EQ(colorref_at(image, 50, 40), 0xFF0000u) << "the picture (blue)";
    EXPECT_EQ(colorref_at(image, 99, 40), 0xB2B2B2u) << "right edge above the picture";
    EXPECT_EQ(colorref_at(image, 50, 79), 0xB2B2B2u) << "bottom edge above the picture";
}

TEST_F(Frame, TheSecondPressOfADoubleClickRaisesDblClickInPlaceOfClick) {
    elframe frame;
    auto clicks = record(&frame, &SkinnedControl::Click);
    auto doubles = record(&frame, &SkinnedControl::DblClick);
    click(&frame, QPointF(31, 41));
    send_mouse(&frame, QEvent::MouseButtonDblClick, Qt::LeftButton, QPointF(31, 41));
    send_mouse(&frame, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(31, 41));
    EXPECT_EQ(doubles->size(), 1u);
    EXPECT_EQ(clicks->size(), 1u);
}

}  // namespace
}  // namespace morvane::controls
