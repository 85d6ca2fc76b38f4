// What the Qt combo box adds to the list rules and pixels its core has (tests/controls/core): the Click
// signal, the system's list control kept in step with the entries, and the widget showing the face.
#include "control_test_support.h"
#include "controls/elcombo.h"

#include <QComboBox>

namespace morvane::controls {
namespace {

using namespace morvane::testing;

class Combo : public ControlTest {
protected:
    Combo() {
        c->AddItem(QStringLiteral("1024 x 1024"));
        c->AddItem(QStringLiteral("2048 x 2048"));
    }
    elcombo* c = new elcombo(&host);
    std::shared_ptr<std::vector<std::tuple<>>> clicks = record(c, &SkinnedControl::Click);
};

TEST_F(Combo, SetListIndexRaisesClickOnceForEachChangeOfTheSelection) {
    c->SetListIndex(0);  // as the main window's start-up does
    c->SetListIndex(1);
    c->SetListIndex(1);
    EXPECT_EQ(clicks->size(), 2u);
    EXPECT_EQ(c->list_control()->currentText(), QStringLiteral("2048 x 2048"));
}

TEST_F(Combo, ThePlayersPickFromTheDropDownListSelectsTheEntryAndRaisesClick) {
    c->list_control()->setCurrentIndex(1);  // what a pick from the drop-down list does
    EXPECT_EQ(c->GetListIndex(), 1);
    EXPECT_EQ(clicks->size(), 1u);
}

// The system's list control reports a changed index when an entry goes; the control does not pass it on.
TEST_F(Combo, RemovingEntriesRaisesNoClickAndTheListControlShowsWhatIsLeft) {
    c->SetListIndex(1);
    c->RemoveItem(0);
    EXPECT_EQ(c->list_control()->count(), 1);
    EXPECT_EQ(c->list_control()->currentText(), QStringLiteral("2048 x 2048"));
    c->RemoveItem(0);
    EXPECT_EQ(c->list_control()->currentIndex(), -1);
    EXPECT_EQ(clicks->size(), 1u) << "only the SetListIndex";
}

TEST_F(Combo, TheListControlOfA185PixelComboSpansItFromColumnMinus1AndIsLiftedByThreeRows) {
    c->set_geometry_pixels(0, 0, 185, 20);
    const QRect list = c->list_geometry();
    EXPECT_EQ(list.left(), -1);
    EXPECT_EQ(list.top(), -3);
    EXPECT_EQ(list.width(), 185);
    EXPECT_GE(list.bottom(), 17) << "down to where the list's face ends";
}

// 185 pixels are 2775 twips: the symbol box at (2775 - 280) / 15 - 2 = 164, its triangle around column 173.
TEST_F(Combo, TheWidgetShowsTheListsFaceItsTriangleAndItsSunkenEdge) {
    c->read_properties(Settings{{"forecolor", 0xFFFFFFu}, {"backcolor", 0u}, {"color3dlight", 0x809188u},
                                {"color3ddark", 0x222E28u}, {"fontname", "Tahoma"}, {"fontsize", 9.75}});
    c->set_geometry_pixels(0, 0, 185, 20);
    c->SetListIndex(0);
    const QImage image = shot(*c);
    ASSERT_EQ(image.size(), QSize(185, 20));
    expect_edge(image, 0x222E28, 0x809188);
    EXPECT_EQ(colorref_at(image, 90, 18), 0x000000u) << "the BackColor fill below the list";
    EXPECT_EQ(colorref_at(image, 120, 10), 0x37463Eu) << "the list control's own background";
    EXPECT_EQ(colorref_at(image, 173, 7), 0x95AAA0u) << "the triangle in SymbolColor";
}

}  // namespace
}  // namespace morvane::controls
