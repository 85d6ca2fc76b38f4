#include "app/form_fx.h"
#include "app/labels.h"
#include "app/process_window.h"
#include "controls/elprogress.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

struct ProgressWindow : ::testing::Test {
    ProgressWindow() { fx.set_observer(&effects); }
    form_fx::Record effects;
    form_fx::FormFx fx;
    morvane_ui::ProcessInstance instance{fx};
};

TEST_F(ProgressWindow, LoadsRoundedAtOpacityHundredFiftyWithItsCaptionsAndBar) {
    morvane_ui::process& window = instance.get();
    EXPECT_EQ(window.size(), QSize(312, 71));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    ASSERT_EQ(effects.regions.size(), 1u);
    EXPECT_EQ(effects.regions[0], (form_fx::RoundRegion{0, 0, 312, 71, 20, 20}));
    EXPECT_EQ(effects.opacities, std::vector<int>{150});
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(0x64, 0x64, 0x64));

    auto* title = window.findChild<QLabel*>("Label1");
    auto* hint = window.findChild<QLabel*>("Label2");
    ASSERT_TRUE(title && hint);
    EXPECT_EQ(title->text(), "BUILDING BACKGROUND...");
    EXPECT_EQ(title->geometry(), QRect(30, 7, 253, 19));
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(hint->text(), "will take some time, be patient :)");
    EXPECT_EQ(hint->geometry(), QRect(30, 54, 253, 12));
    EXPECT_EQ(hint->palette().color(QPalette::WindowText), QColor(Qt::white));

    morvane::elprogress& bar = window.elprogress1();
    EXPECT_EQ(bar.geometry(), QRect(8, 26, 296, 24));
    EXPECT_EQ(bar.Color3DDark(), 0x222E28u);
    EXPECT_EQ(bar.Color3DLight(), 0x95AAA0u);  // the control's defaults otherwise
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Value(), 0);
}

TEST_F(ProgressWindow, IgnoresCloseRequestsFromTheWindowSystem) {
    morvane_ui::process& window = instance.get();
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(instance.loaded(), &window);
}

TEST_F(ProgressWindow, IsOneInstanceUntilUnloadedAndThenStartsAfreshWithAnEmptyBar) {
    morvane_ui::ProcessProgress progress(instance, [] {});
    morvane_ui::process& first = instance.get();
    EXPECT_EQ(&instance.get(), &first);
    progress.set_max(11);
    progress.set_value(7);
    EXPECT_EQ(first.elprogress1().Value(), 7);
    instance.unload();
    EXPECT_EQ(instance.loaded(), nullptr);
    EXPECT_EQ(instance.get().elprogress1().Value(), 0);
    EXPECT_EQ(instance.times_created(), 2);
}

TEST_F(ProgressWindow, TheBuildsViewOfTheBarOutlivesTheWindowSafely) {
    int yields = 0;
    morvane_ui::ProcessProgress progress(instance, [&] { ++yields; });
    instance.get();
    instance.unload();
    progress.set_max(11);   // no window: nothing to move, nothing dangling
    progress.set_value(3);
    EXPECT_EQ(progress.value(), 0);
    progress.yield();
    EXPECT_EQ(yields, 1);
    EXPECT_EQ(instance.loaded(), nullptr);
}

}  // namespace
