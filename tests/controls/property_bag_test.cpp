#include "controls/property_bag.h"
#include "controls/property_table.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(PropertyBag, KeysAreFoundWhateverTheirCase) {
    PropertyBag bag{{"CenterCaption", true}};
    EXPECT_TRUE(bag.read("centercaption").toBool());
    EXPECT_TRUE(bag.read("CENTERCAPTION").toBool());
    EXPECT_EQ(bag.keys(), QStringList{"centercaption"});
    EXPECT_EQ(bag.read("Caption", QStringLiteral("Boton")).toString(), QStringLiteral("Boton")) << "absent: default";
}

TEST(PropertyBag, ValuesEqualToTheirDefaultAreNotStored) {
    PropertyBag bag;
    bag.write("BackColor", 0x646464u, 0x44584Cu);
    bag.write("Enabled", true, true);
    EXPECT_EQ(bag.keys(), QStringList{"backcolor"});
    bag.write("BACKCOLOR", 0x44584Cu, 0x44584Cu);
    EXPECT_TRUE(bag.empty()) << "writing the default again removes the earlier value";
}

TEST(PropertyBag, PairsKeepTheOrderTheyWereWrittenIn) {
    PropertyBag bag;
    bag.set("ForeColor", 1u);
    bag.set("BackColor", 2u);
    bag.set("forecolor", 3u);
    EXPECT_EQ(bag.keys(), (QStringList{"forecolor", "backcolor"}));
    EXPECT_EQ(bag.read("ForeColor").toUInt(), 3u);
}

TEST(PropertyValues, ColoursGivenInAnyFormBecomeTheSameValue) {
    const QVariant expected = QVariant::fromValue(quint32(0x80000008u));
    EXPECT_EQ(normalise_property(PropertyKind::Color, int(0x80000008u)), expected);
    EXPECT_EQ(normalise_property(PropertyKind::Color, QStringLiteral("0x80000008")), expected);
    EXPECT_EQ(normalise_property(PropertyKind::Color, QStringLiteral("&H80000008&")), expected);
    EXPECT_EQ(normalise_property(PropertyKind::Color, qlonglong(0x80000008u)), expected);
    EXPECT_EQ(normalise_property(PropertyKind::Int32, qlonglong(1) << 40), QVariant::fromValue(qint32(2147483647)));
}

}  // namespace
}  // namespace morvane
