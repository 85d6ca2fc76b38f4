// The build command from the main window: files written, the progress window, input taken and given back,
// and what the user is told when something goes wrong.
#include "main_window_fixture.h"

#include "controls/elcombo.h"
#include "controls/elprogress.h"
#include "texture/vtf_reader.h"

namespace fs = std::filesystem;

namespace morvane::testing {
namespace {

using Build = MainWindowTest;

TEST_F(Build, MakeBackgroundWritesA1024Or2048TextureTakingInputAwayAndMovingTheBarOncePerLevel) {
    const struct {
        int16_t index;
        uint64_t bytes;
        int side, levels;
    } sizes[] = {{0, 1398320u, 1024, 11}, {1, 5592624u, 2048, 12}};
    auto& w = open_located();
    const std::string material = read_bytes(console() / "background01.vmt");
    std::string earlier;
    for (const auto& size : sizes) {
        w.elcombo1().SetListIndex(size.index);
        std::vector<int32_t> values;  // the bar at each yield, with the window's input off
        during_yield = [&] {
            EXPECT_FALSE(w.isEnabled());
            if (auto* shown = process.loaded(); shown && shown->elprogress1().Max() == size.levels)
                values.push_back(shown->elprogress1().Value());
        };
        w.make_background();
        EXPECT_EQ(values.size(), size_t(size.levels)) << size.side;
        EXPECT_EQ(values.empty() ? -1 : values.front(), 0) << "each build starts with an empty bar";
        const std::string bytes = read_bytes(texture_file());
        ASSERT_EQ(bytes.size(), size.bytes);
        vtfmod::VtfLayout layout;
        ASSERT_EQ(vtfmod::read_vtf_layout(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), layout), "");
        EXPECT_EQ(layout.header.width, size.side);
        EXPECT_EQ(layout.header.flags, 0x2000);
        EXPECT_EQ(layout.header.hiformat, 15);
        EXPECT_EQ(layout.header.mipmapcount, size.levels);
        EXPECT_NE(bytes, earlier) << "building twice replaces the texture";
        earlier = bytes;
        EXPECT_TRUE(w.isEnabled());
        EXPECT_EQ(process.loaded(), nullptr) << "the progress window is unloaded";
    }
    EXPECT_EQ(process.times_created(), 2);
    EXPECT_EQ(read_bytes(console() / "background01.vmt"), material);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Build, MakeBackgroundBeforeTheGameIsKnownWritesNothingAndSaysWhy) {
    auto& w = open();  // not activated yet: no console folder
    w.make_background();
    EXPECT_EQ(process.times_created(), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("game folder"), std::string::npos);
}

TEST_F(Build, AFailedOrRefusedBuildTellsTheUserKeepsTheOldFileAndGivesInputBack) {
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

    fs::remove(texture_file());
    messages.shown.clear();
    w.Temp_Buffer().set_border_style(morvane::BorderFixedSingle);  // the surface check refuses this
    w.make_background();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"error"});
    EXPECT_FALSE(fs::exists(texture_file()));
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(process.loaded(), nullptr);
}

}  // namespace
}  // namespace morvane::testing
