// What every control shares through its property declarations: stored settings and change notification.
#include "control_test_support.h"
#include "controls/control_factory.h"
#include "controls/elframe.h"

namespace morvane::controls {
namespace {

using namespace morvane::testing;

using StoredSettings = ControlTest;

TEST_F(StoredSettings, EachControlWritesWhatDiffersFromItsDefaultsAndACopyReadsItBack) {
    const struct {
        const char* kind;
        PropertyBag definition;
        QStringList written;
    } cases[] = {
        {"ElBoton",
         {{"CAPTION", "Make Background"}, {"centercaption", true}, {"backcolor", 0x646464u}, {"fontsize", 12}},
         {"backcolor", "caption", "font", "fontsize", "centercaption"}},
        {"elframe",
         {{"BackColor", 0x646464u}, {"enabled", false}, {"color3dlight", 0x222E28u}},
         {"backcolor", "enabled", "color3dlight"}},
        // The host's font is Tahoma 9.75, so no font key differs; the list text is kept as it is.
        {"elcombo",
         {{"forecolor", 0xFFFFFFu}, {"backcolor", 0u}, {"list", "kept"}, {"symbolcolor", 0xFFu},
          {"fontname", "Tahoma"}, {"fontsize", 9.75}, {"dropshadow", true}},
         {"backcolor", "forecolor", "list", "symbolcolor"}},
        {"elprogress",
         {{"forecolor", 0xFFu}, {"max", 11}, {"value", 3}, {"color3ddark", 0x222E28u}},
         {"forecolor", "max", "value", "color3ddark"}},
    };
    for (const auto& c : cases) {
        SkinnedControl* control = create_control(QString::fromLatin1(c.kind), &host, c.definition);
        ASSERT_NE(control, nullptr) << c.kind;
        PropertyBag saved;
        control->write_properties(saved);
        EXPECT_EQ(saved.keys(), c.written) << c.kind;
        SkinnedControl* copy = create_control(QString::fromLatin1(c.kind), &host, saved);
        for (const QString& key : c.written)
            EXPECT_EQ(copy->property_value(key), control->property_value(key)) << c.kind << " " << key.toStdString();
    }
    PropertyBag placed;  // a frame as newly placed, before it reads any settings
    elframe(&host).write_properties(placed);
    EXPECT_EQ(placed.keys(), (QStringList{"backcolor", "color3ddark"}));
    EXPECT_EQ(placed.read("color3ddark").toUInt(), 0x222E28u);
}

TEST_F(StoredSettings, SettingAPropertyNotifiesItsKeyAndReadingSettingsNotifiesNothing) {
    const QStringList edge{"BackColor", "Enabled", "Color3DLight", "Color3DDark"};
    const QStringList font{"Font", "FontName", "FontSize", "FontItalic", "FontUnderline"};
    const struct {
        const char* kind;
        QStringList keys;
    } cases[] = {
        {"elboton", QStringList{"ForeColor", "Caption", "DropShadow", "CenterCaption"} + edge + font},
        {"elframe", edge},
        {"elcombo", QStringList{"ForeColor", "List", "SymbolColor", "SymbolOverColor", "DropShadow", "ListBackColor",
                                "ListForeColor"} + edge + font},
        {"elprogress", QStringList{"ForeColor", "Min", "Max", "Value"} + edge},
    };
    for (const auto& c : cases) {
        SkinnedControl* control = create_control(QString::fromLatin1(c.kind), &host, {});
        auto changed = record(control, &SkinnedControl::property_changed);
        control->read_properties(PropertyBag{{"backcolor", 1u}});
        EXPECT_TRUE(changed->empty()) << c.kind;
        for (const QString& key : c.keys)
            EXPECT_TRUE(control->set_property(key.toUpper(), 1)) << c.kind << " " << key.toStdString();
        QStringList notified;
        for (const auto& [key] : *changed) notified << key;
        EXPECT_EQ(notified, c.keys) << c.kind;
        EXPECT_FALSE(control->set_property(QStringLiteral("NoSuchKey"), 1));
    }
}

}  // namespace
}  // namespace morvane::controls
