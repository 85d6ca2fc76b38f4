#include "control_test_support.h"
#include "controls/elcombo.h"
#include "platform/qt/screen_metrics.h"
#include "platform/qt/symbol_font.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace morvane {
namespace {

using namespace morvane::testing;

class Combo : public ::testing::Test {
protected:
    Combo() { host.setFont(program_font(QStringLiteral("Tahoma"), 9.75)); }
    QApplication& app = qt_app();
    ScopedTwipsPerPixel ratios{{15.0, 15.0}};
    QWidget host;
};

TEST_F(Combo, AnEmptyListIgnoresPositionsAndReportsNothingSelected) {
    auto* c = new elcombo(&host);
    auto clicks = record(c, &SkinnedControl::Click);
    c->RemoveItem(0);
    c->SetListIndex(0);
    c->SetList(0, QStringLiteral("x"));
    EXPECT_EQ(c->GetListIndex(), -1);
    EXPECT_EQ(c->ListCount(), 0);
    EXPECT_EQ(c->GetList(0), QString());
    EXPECT_EQ(clicks->size(), 0u);
}

TEST_F(Combo, OutOfRangePositionsDoNothingAndSetListIndexRaisesClickOnAChange) {
    auto* c = new elcombo(&host);
    auto clicks = record(c, &SkinnedControl::Click);
    c->AddItem(QStringLiteral("1024 x 1024"));
    c->AddItem(QStringLiteral("2048 x 2048"));
    EXPECT_EQ(c->GetListIndex(), -1) << "adding entries selects none";
    EXPECT_EQ(clicks->size(), 0u);
    c->SetListIndex(2);
    c->SetListIndex(-1);
    EXPECT_EQ(c->GetListIndex(), -1);
    EXPECT_EQ(clicks->size(), 0u);
    c->SetListIndex(0);
    EXPECT_EQ(clicks->size(), 1u) << "the first selection, as the main window's start-up makes it";
    c->SetListIndex(1);
    EXPECT_EQ(c->GetListIndex(), 1);
    EXPECT_EQ(clicks->size(), 2u);
    c->SetListIndex(1);
    EXPECT_EQ(clicks->size(), 2u) << "no change, no Click";
    c->RemoveItem(5);
    c->RemoveItem(-1);
    EXPECT_EQ(c->ListCount(), 2);
}

TEST_F(Combo, TheUsersPickRaisesClick) {
    auto* c = new elcombo(&host);
    c->AddItem(QStringLiteral("a"));
    c->AddItem(QStringLiteral("b"));
    auto clicks = record(c, &SkinnedControl::Click);
    c->list_control()->setCurrentIndex(1);  // what picking "b" from the drop-down does
    EXPECT_EQ(clicks->size(), 1u);
    EXPECT_EQ(c->GetListIndex(), 1);
}

TEST_F(Combo, EntriesCanBeReplacedRemovedAndCleared) {
    auto* c = new elcombo(&host);
    for (const char* item : {"a", "b", "c"}) c->AddItem(QString::fromLatin1(item));
    c->SetList(1, QStringLiteral("B"));
    EXPECT_EQ(c->GetList(0), QStringLiteral("a"));
    EXPECT_EQ(c->GetList(1), QStringLiteral("B"));
    c->SetListIndex(2);
    auto clicks = record(c, &SkinnedControl::Click);
    c->RemoveItem(0);
    EXPECT_EQ(c->GetListIndex(), 1) << "the selected entry moved up";
    EXPECT_EQ(c->GetList(1), QStringLiteral("c"));
    c->RemoveItem(1);
    EXPECT_EQ(c->GetListIndex(), -1) << "removing the selected entry leaves nothing selected";
    c->Clear();
    EXPECT_EQ(c->ListCount(), 0);
    EXPECT_EQ(clicks->size(), 0u);
}

TEST_F(Combo, ItKeepsAtLeast1425TwipsWideAndExactly300High) {
    auto* c = new elcombo(&host);
    EXPECT_EQ(c->size_twips().height, 300) << "a new instance after its first resize";
    c->set_size_twips(1000, 600);
    EXPECT_EQ(c->size_twips().width, 1425);
    EXPECT_EQ(c->size_twips().height, 300);
    EXPECT_EQ(c->height(), 20);
}

TEST_F(Combo, At1480TwipsTheSymbolBoxSitsAtX78) {
    auto* c = new elcombo(&host);
    c->set_size_twips(1480, 300);
    EXPECT_EQ(c->symbol_box_geometry(), QRect(78, -1, 20, 18));
    EXPECT_EQ(c->list_geometry().topLeft(), QPoint(-1, -3));
    EXPECT_EQ(c->list_geometry().width(), c->width()) << "the list spans the control";
}

TEST_F(Combo, TheResolutionComboShowsItsEdgeTriangleAndText) {
    auto* c = new elcombo(&host);
    c->read_properties(PropertyBag{{"forecolor", 0xFFFFFFu}, {"backcolor", 0u}, {"color3dlight", 0x809188u},
                                   {"color3ddark", 0x222E28u}, {"fontname", "Tahoma"}, {"fontsize", 9.75}});
    c->set_geometry_pixels(0, 0, 185, 20);
    c->AddItem(QStringLiteral("1024 x 1024"));
    c->SetListIndex(0);
    const QImage image = shot(*c);
    ASSERT_EQ(image.size(), QSize(185, 20));
    EXPECT_EQ(colorref_at(image, 90, 0), 0x222E28u) << "top dark";
    EXPECT_EQ(colorref_at(image, 0, 10), 0x222E28u) << "left dark";
    EXPECT_EQ(colorref_at(image, 184, 10), 0x809188u) << "right light";
    EXPECT_EQ(colorref_at(image, 90, 19), 0x809188u) << "bottom light";
    EXPECT_EQ(colorref_at(image, 90, 18), 0x000000u) << "the BackColor fill below the list";
    EXPECT_EQ(colorref_at(image, 120, 10), 0x37463Eu) << "the list control's own background";
    int triangle = 0, text = 0;
    const QRect box = c->symbol_box_geometry();
    for (int y = 1; y < 18; ++y) {
        for (int x = box.left(); x <= box.right() && x < 184; ++x) triangle += colorref_at(image, x, y) == 0x95AAA0u;
        for (int x = 2; x < 80; ++x) text += qGray(image.pixel(x, y)) > 200;
    }
    EXPECT_GE(triangle, 9) << "the triangle in SymbolColor";
    EXPECT_GT(text, 20) << "white entry text";
}

TEST_F(Combo, TheHoverColourIsShownOnlyWhenAskedFor) {
    auto* c = new elcombo(&host);
    c->set_over_state();
    EXPECT_EQ(c->triangle_color(), 0x95AAA0u);
    c->set_SymbolOverColor(0x00FFFF);
    EXPECT_EQ(c->triangle_color(), 0x95AAA0u) << "the field only";
    c->set_over_state();
    EXPECT_EQ(c->triangle_color(), 0x00FFFFu);
    c->set_SymbolOverColor(0x0000FF);
    EXPECT_EQ(c->triangle_color(), 0x00FFFFu) << "not recoloured until the next set_over_state";
    c->set_normal_state();
    EXPECT_EQ(c->triangle_color(), 0x95AAA0u);
    c->set_SymbolColor(0x112233);
    EXPECT_EQ(c->triangle_color(), 0x112233u) << "SymbolColor recolours at once";
}

TEST_F(Combo, StubPropertiesReadBackFalseAndZeroYetStillNotify) {
    auto* c = new elcombo(&host);
    auto changed = record(c, &SkinnedControl::property_changed);
    c->set_ListBackColor(0x123456);
    c->set_ListForeColor(0x123456);
    c->set_DropShadow(true);
    EXPECT_EQ(c->ListBackColor(), 0u);
    EXPECT_EQ(c->ListForeColor(), 0u);
    EXPECT_FALSE(c->DropShadow());
    ASSERT_EQ(changed->size(), 3u);
    EXPECT_EQ(std::get<0>((*changed)[0]), QStringLiteral("ListBackColor"));
    EXPECT_EQ(std::get<0>((*changed)[2]), QStringLiteral("DropShadow"));
    PropertyBag saved{{"dropshadow", true}};
    c->write_properties(saved);
    EXPECT_EQ(saved.keys(), QStringList{"dropshadow"}) << "stubs are neither written nor cleared";
}

TEST_F(Combo, StoredSettingsRoundTripIncludingTheListText) {
    auto* c = new elcombo(&host);
    c->read_properties(PropertyBag{{"forecolor", 0xFFFFFFu}, {"backcolor", 0u}, {"list", "kept as it is"},
                                   {"symbolcolor", 0x0000FFu}, {"fontname", "Tahoma"}, {"fontsize", 9.75}});
    EXPECT_EQ(c->triangle_color(), 0x0000FFu);
    PropertyBag saved;
    c->write_properties(saved);
    EXPECT_EQ(saved.keys(), (QStringList{"backcolor", "forecolor", "list", "symbolcolor"}))
        << "the host's font is Tahoma 9.75, so no font key differs";
    EXPECT_EQ(saved.read("backcolor").toUInt(), 0u) << "black differs from the default";
    auto* copy = new elcombo(&host);
    copy->read_properties(saved);
    EXPECT_EQ(copy->ForeColor(), 0xFFFFFFu);
    EXPECT_EQ(copy->SymbolColor(), 0x0000FFu);
    EXPECT_EQ(copy->property_value(QStringLiteral("list")).toString(), QStringLiteral("kept as it is"));
}

}  // namespace
}  // namespace morvane
