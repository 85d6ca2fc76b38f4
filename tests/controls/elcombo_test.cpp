#include "control_test_support.h"
#include "controls/elcombo.h"

#include <QComboBox>

namespace morvane::controls {
namespace {

using namespace morvane::testing;

class Combo : public ControlTest {
protected:
    elcombo* c = new elcombo(&host);
};

TEST_F(Combo, PositionsOutsideTheListDoNothingAndOnlyAChangedSelectionRaisesClick) {
    auto clicks = record(c, &SkinnedControl::Click);
    c->SetListIndex(0);
    c->SetList(0, QStringLiteral("x"));
    EXPECT_EQ(c->GetList(0), QString());
    c->AddItem(QStringLiteral("1024 x 1024"));
    c->AddItem(QStringLiteral("2048 x 2048"));
    for (int16_t outside : {2, -1}) {
        c->SetListIndex(outside);
        c->RemoveItem(outside);
    }
    EXPECT_EQ(c->GetListIndex(), -1) << "adding entries selects none";
    EXPECT_EQ(c->ListCount(), 2);
    EXPECT_EQ(clicks->size(), 0u);
    c->SetListIndex(0);  // as the main window's start-up does
    c->SetListIndex(1);
    c->SetListIndex(1);
    EXPECT_EQ(clicks->size(), 2u) << "no change, no Click";
    c->list_control()->setCurrentIndex(0);  // what the user's pick from the drop-down does
    EXPECT_EQ(clicks->size(), 3u);
    c->SetListIndex(1);
    c->RemoveItem(0);
    EXPECT_EQ(c->GetListIndex(), 0) << "the selected entry moves up";
    EXPECT_EQ(c->GetList(0), QStringLiteral("2048 x 2048"));
    c->RemoveItem(0);
    EXPECT_EQ(c->GetListIndex(), -1) << "removing the selected entry leaves nothing selected";
    EXPECT_EQ(clicks->size(), 4u) << "removals raise no Click";
}

TEST_F(Combo, TheResolutionComboShowsItsEdgeTextAndTriangleInTheBoxAtItsRightEnd) {
    c->set_size_twips(1480, 300);
    EXPECT_EQ(c->symbol_box_geometry(), QRect(78, -1, 20, 18));
    c->read_properties(Settings{{"forecolor", 0xFFFFFFu}, {"backcolor", 0u}, {"color3dlight", 0x809188u},
                                   {"color3ddark", 0x222E28u}, {"fontname", "Tahoma"}, {"fontsize", 9.75}});
    c->set_geometry_pixels(0, 0, 185, 20);
    EXPECT_EQ(c->list_geometry(), QRect(-1, -3, 185, c->list_geometry().height())) << "the list spans the control";
    c->AddItem(QStringLiteral("1024 x 1024"));
    c->SetListIndex(0);
    const QImage image = shot(*c);
    ASSERT_EQ(image.size(), QSize(185, 20));
    expect_edge(image, 0x222E28, 0x809188);
    EXPECT_EQ(colorref_at(image, 90, 18), 0x000000u) << "the BackColor fill below the list";
    EXPECT_EQ(colorref_at(image, 120, 10), 0x37463Eu) << "the list control's own background";
    int triangle = 0;
    const QRect box = c->symbol_box_geometry();
    for (int y = 1; y < 18; ++y)
        for (int x = box.left(); x <= box.right() && x < 184; ++x) triangle += colorref_at(image, x, y) == 0x95AAA0u;
    EXPECT_GE(triangle, 9) << "the triangle in SymbolColor";
}

}  // namespace
}  // namespace morvane::controls
