// What the Qt progress bar adds to the range rules and pixels its core has (tests/controls/core): the widget
// showing the blocks, and the background blend it remembers for every redraw.
#include "control_test_support.h"
#include "controls/elprogress.h"

namespace morvane::controls {
namespace {

using namespace morvane::testing;

// Blocks shown along row 12: runs of ForeColor.
int blocks_shown(elprogress& bar) {
    const QImage image = shot(bar);
    const uint32_t fore = resolve_color(bar.ForeColor());
    int blocks = 0;
    bool in_block = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool lit = colorref_at(image, x, 12) == fore;
        blocks += lit && !in_block;
        in_block = lit;
    }
    return blocks;
}

class ProgressBar : public ControlTest {
protected:
    ProgressBar() {
        bar.read_properties(Settings{{"color3ddark", 0x222E28u}});
        bar.set_geometry_pixels(8, 26, 296, 24);
    }
    elprogress bar;
};

TEST_F(ProgressBar, TheWidgetShowsThirteenBlocksForValue6OfMax11InItsSunkenEdge) {
    bar.set_Max(11);
    bar.set_Value(6);
    const QImage image = shot(bar);
    ASSERT_EQ(image.size(), QSize(296, 24));
    expect_edge(image, 0x222E28, 0x95AAA0);
    EXPECT_EQ(colorref_at(image, 200, 12), 0x37463Eu) << "the fill after the last block";
    EXPECT_EQ(blocks_shown(bar), 13);
}

TEST_F(ProgressBar, EveryRedrawRepeatsTheRememberedBlendBelowTheBlocks) {
    Image32 picture;
    picture.reset(400, 100, Bgra{0x10, 0x20, 0xF0, 255});
    bar.set_Max(4);
    ASSERT_TRUE(bar.obtener_imagen_fondo(picture, 5, 5, 255).ok);
    for (auto [value, blocks] : {std::pair{2, 12}, {4, 24}}) {
        bar.set_Value(value);
        const QImage image = shot(bar);
        EXPECT_EQ(colorref_at(image, 10, 2), 0x1020F0u) << "the picture between the edge and a block";
        EXPECT_EQ(colorref_at(image, 200, 0), 0x222E28u) << "the edge above the blend";
        EXPECT_EQ(blocks_shown(bar), blocks);
    }
}

}  // namespace
}  // namespace morvane::controls
