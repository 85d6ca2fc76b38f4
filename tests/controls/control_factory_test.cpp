#include "control_test_support.h"
#include "controls/control_factory.h"
#include "controls/elboton.h"
#include "controls/elprogress.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using namespace morvane::testing;

TEST(ControlFactory, ControlsAreCreatedByKindFromTheirStoredDefinition) {
    qt_app();
    QWidget window;
    SkinnedControl* made = create_control(QStringLiteral("ElBoton"), &window,
                                          PropertyBag{{"caption", "Make Background"}, {"centercaption", true}});
    auto* button = qobject_cast<elboton*>(made);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget(), &window);
    EXPECT_EQ(button->Caption(), QStringLiteral("Make Background"));
    EXPECT_TRUE(button->CenterCaption());
    auto* bar = qobject_cast<elprogress*>(
        create_control(QStringLiteral("elprogress"), &window, PropertyBag{{"color3ddark", 0x222E28u}}));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Color3DDark(), 0x222E28u);
    EXPECT_NE(create_control(QStringLiteral("elframe"), &window, {}), nullptr);
    EXPECT_NE(create_control(QStringLiteral("elcombo"), &window, {}), nullptr);
    EXPECT_EQ(create_control(QStringLiteral("Label"), &window, {}), nullptr);
}

}  // namespace
}  // namespace morvane
