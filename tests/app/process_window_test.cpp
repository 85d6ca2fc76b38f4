#include "app/form_fx.h"
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

TEST_F(ProgressWindow, LoadsRoundedAtOpacity150AndIgnoresCloseRequests) {
    morvane_ui::process& window = instance.get();
    EXPECT_EQ(window.size(), QSize(312, 71));
    EXPECT_EQ(effects.regions, (std::vector<form_fx::RoundRegion>{{0, 0, 312, 71, 20, 20}}));
    EXPECT_EQ(effects.opacities, std::vector<int>{150});
    EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(), "BUILDING BACKGROUND...");
    EXPECT_EQ(window.elprogress1().width(), 296) << "the width the blocks are counted in";
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(ProgressWindow, IsOneInstanceUntilUnloadedAndTheBuildsViewOfTheBarOutlivesIt) {
    morvane_ui::ProcessProgress progress(instance, [] {});
    morvane_ui::process& first = instance.get();
    EXPECT_EQ(&instance.get(), &first);
    progress.set_max(11);
    progress.set_value(7);
    EXPECT_EQ(first.elprogress1().Value(), 7);
    instance.unload();
    progress.set_value(3);  // no window: nothing to move, nothing dangling
    EXPECT_EQ(progress.value(), 0);
    EXPECT_EQ(instance.get().elprogress1().Value(), 0) << "a fresh window, an empty bar";
    EXPECT_EQ(instance.times_created(), 2);
}

}  // namespace
