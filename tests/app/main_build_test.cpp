// The build command from the main window: files written, the progress window, input taken and given back,
// and what the user is told when something goes wrong.
#include "main_window_fixture.h"

#include "controls/elcombo.h"
#include "controls/elprogress.h"
#include "platform/qt/screen_metrics.h"
#include "texture/vtf_reader.h"

namespace fs = std::filesystem;

namespace morvane::testing {
namespace {

using Build = MainWindowTest;

vtfmod::VtfLayout layout_of(const fs::path& file) {
    const std::string bytes = read_bytes(file);
    vtfmod::VtfLayout layout;
    EXPECT_EQ(vtfmod::read_vtf_layout(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), layout), "");
    return layout;
}

TEST_F(Build, MakeBackgroundAt1024WritesTheBuiltInPictureAsA1024Texture) {
    auto& w = open_located();
    w.make_background();
    ASSERT_TRUE(fs::exists(texture_file()));
    EXPECT_EQ(fs::file_size(texture_file()), 1398320u);
    const auto layout = layout_of(texture_file());
    EXPECT_EQ(layout.header.width, 1024);
    EXPECT_EQ(layout.header.height, 1024);
    EXPECT_EQ(layout.header.flags, 0x2000);
    EXPECT_EQ(layout.header.hiformat, 15);
    EXPECT_EQ(layout.header.mipmapcount, 11);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Build, MakeBackgroundAt2048WritesA2048TextureWithTheSameFlagsAndFormat) {
    auto& w = open_located();
    w.elcombo1().SetListIndex(1);
    EXPECT_EQ(w.Picture2().width_pixels(), 2048);
    int32_t last_max = 0;
    int steps_seen = 0;
    during_yield = [&] {
        if (auto* shown = process.loaded(); shown && shown->elprogress1().Max() == 12) {
            last_max = 12;
            ++steps_seen;
        }
    };
    w.make_background();
    EXPECT_EQ(last_max, 12);
    EXPECT_EQ(steps_seen, 12);  // one step per level, 2048 down to 1
    EXPECT_EQ(fs::file_size(texture_file()), 5592624u);
    const auto layout = layout_of(texture_file());
    EXPECT_EQ(layout.header.width, 2048);
    EXPECT_EQ(layout.header.flags, 0x2000);
    EXPECT_EQ(layout.header.hiformat, 15);
    EXPECT_EQ(layout.header.mipmapcount, 12);
}

TEST_F(Build, DuringTheBuildTheWindowTakesNoInputAndTheBarFillsOneStepPerLevel) {
    auto& w = open_located();
    int disabled_yields = 0;
    int enabled_yields = 0;
    std::vector<int32_t> values;
    during_yield = [&] {
        (w.isEnabled() ? enabled_yields : disabled_yields)++;
        if (auto* shown = process.loaded()) {
            EXPECT_TRUE(shown->isVisible());
            if (shown->elprogress1().Max() == 11) values.push_back(shown->elprogress1().Value());
        }
    };
    w.make_background();
    EXPECT_GT(disabled_yields, 0);
    EXPECT_EQ(enabled_yields, 0);
    // One yield before each of the 11 steps of a 1024 texture; the last one comes before the last step.
    EXPECT_EQ(values, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(process.loaded(), nullptr);
    EXPECT_FALSE(w.building());
}

TEST_F(Build, BuildingTwiceReplacesTheTextureLeavesTheMaterialAndStartsWithAnEmptyBar) {
    auto& w = open_located();
    const std::string material = read_bytes(console() / "background01.vmt");
    w.make_background();
    const std::string first = read_bytes(texture_file());
    std::vector<int32_t> first_values_seen;
    during_yield = [&] {
        if (auto* shown = process.loaded(); shown && first_values_seen.empty())
            first_values_seen.push_back(shown->elprogress1().Value());
    };
    w.elcombo1().SetListIndex(1);
    w.make_background();
    EXPECT_EQ(process.times_created(), 2);
    ASSERT_FALSE(first_values_seen.empty());
    EXPECT_EQ(first_values_seen[0], 0);
    EXPECT_EQ(fs::file_size(texture_file()), 5592624u);
    EXPECT_NE(read_bytes(texture_file()), first);
    EXPECT_EQ(read_bytes(console() / "background01.vmt"), material);
}

TEST_F(Build, MakeBackgroundBeforeTheGameIsKnownWritesNothingAndSaysWhy) {
    auto& w = open();  // not activated yet: no console folder
    w.make_background();
    EXPECT_EQ(process.times_created(), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("game folder"), std::string::npos);
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(Build, ATextureThatCannotBeWrittenIsReportedWithItsPathAndTheOldFileStays) {
    auto& w = open_located();
    write_bytes(texture_file(), "the old background");
    fs::permissions(texture_file(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    w.make_background();
    EXPECT_EQ(read_bytes(texture_file()), "the old background");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find(texture_file().string()), std::string::npos) << messages.shown[0];
    EXPECT_NE(messages.shown[0].find("read-only"), std::string::npos) << messages.shown[0];
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(process.loaded(), nullptr);
}

TEST_F(Build, ARefusedBuildShowsErrorAndDoesNotWriteThePreviousTexture) {
    auto& w = open_located();
    w.make_background();
    const std::string first = read_bytes(texture_file());
    fs::remove(texture_file());
    w.Temp_Buffer().set_border_style(morvane::BorderFixedSingle);  // the surface check refuses this
    w.make_background();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"error"});
    EXPECT_FALSE(fs::exists(texture_file()));
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(process.loaded(), nullptr);
}

TEST_F(Build, AtAnotherScreenRatioThe1024TextureIsStill1024PixelsWide) {
    morvane::ScopedTwipsPerPixel screen({12.0, 12.0});  // 120 dots per inch
    auto& w = open_located();
    EXPECT_EQ(effects.regions[0], (form_fx::RoundRegion{0, 0, 820, 711, 20, 20}));
    EXPECT_EQ(w.Picture2().width_pixels(), 1024);
    w.make_background();
    EXPECT_EQ(fs::file_size(texture_file()), 1398320u);
    EXPECT_EQ(layout_of(texture_file()).header.width, 1024);
}

}  // namespace
}  // namespace morvane::testing
