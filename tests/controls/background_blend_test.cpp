#include "control_test_support.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/elprogress.h"
#include "platform/qt/screen_metrics.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace morvane {
namespace {

using namespace morvane::testing;

// The picture behind the controls: pixel (x, y) is red 200, green x, blue y.
struct Picture {
    RegisteredImage surface;
    Picture() {
        surface.image().reset(256, 256);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) surface.image().set_pixel(x, y, Bgra{uint8_t(y), uint8_t(x), 200, 255});
    }
    uint32_t at(int x, int y) const { return colorref_from_bgra(surface.image().pixel(x, y)); }
};

uint32_t mix(uint32_t source, uint32_t back, int a) {
    auto ch = [&](int shift) {
        return uint32_t(blend_channel(uint8_t(source >> shift), uint8_t(back >> shift), uint8_t(a))) << shift;
    };
    return ch(0) | ch(8) | ch(16);
}

class BackgroundBlend : public ::testing::Test {
protected:
    QApplication& app = qt_app();
    ScopedTwipsPerPixel ratios{{15.0, 15.0}};
    Picture picture;
};

TEST_F(BackgroundBlend, TheButtonShowsThePictureInsideItsEdgeAtOpacities0And128And255) {
    elboton b;
    b.read_properties(PropertyBag{{"backcolor", 0x646464u}, {"caption", ""}});
    b.set_geometry_pixels(0, 0, 117, 24);
    for (int a : {0, 128, 255}) {
        b.obtener_imagen_fondo(picture.surface.handle(), 10, 20, int16_t(a));
        const QImage image = shot(b);
        // Pixel (x, y) of the control shows the picture's (10 + x - 1, 20 + y - 1): the blend starts at (1, 1).
        EXPECT_EQ(colorref_at(image, 1, 1), mix(picture.at(10, 20), 0x646464, a)) << "opacity " << a;
        EXPECT_EQ(colorref_at(image, 60, 12), mix(picture.at(69, 31), 0x646464, a)) << "opacity " << a;
        EXPECT_EQ(colorref_at(image, 115, 22), mix(picture.at(124, 41), 0x646464, a)) << "opacity " << a;
        EXPECT_EQ(colorref_at(image, 60, 0), 0x95AAA0u) << "top edge above the blend";
        EXPECT_EQ(colorref_at(image, 116, 12), shown(0x80000008u)) << "right edge above the blend";
    }
    EXPECT_EQ(colorref_at(shot(b), 60, 12), picture.at(69, 31)) << "255 copies the picture unchanged";
}

TEST_F(BackgroundBlend, TheFrameAndTheBarBlendInsideTheEdgeAndTheComboOverItsWholeSurface) {
    elframe frame;
    frame.read_properties(PropertyBag{{"backcolor", 0u}});
    frame.set_geometry_pixels(0, 0, 50, 40);
    frame.obtener_imagen_fondo(picture.surface.handle(), 0, 0, 255);
    EXPECT_EQ(colorref_from_bgra(frame.surface().pixel(1, 1)), picture.at(0, 0));
    EXPECT_EQ(colorref_from_bgra(frame.surface().pixel(0, 0)), 0u) << "the edge row keeps the fill";
    const QImage shown_frame = shot(frame);
    EXPECT_EQ(colorref_at(shown_frame, 25, 39), 0x95AAA0u) << "bottom edge";
    EXPECT_EQ(colorref_at(shown_frame, 25, 20), picture.at(24, 19));

    elcombo combo;
    combo.set_geometry_pixels(0, 0, 185, 20);
    combo.obtener_imagen_fondo(picture.surface.handle(), 3, 4, 255);
    EXPECT_EQ(colorref_from_bgra(combo.surface().pixel(0, 0)), picture.at(3, 4));
    EXPECT_EQ(colorref_from_bgra(combo.surface().pixel(184, 19)), picture.at(187, 23));
    shot(combo);
    const int below_list = combo.list_geometry().bottom() + 1;
    ASSERT_LT(below_list, 19) << "the list control leaves a row above the bottom edge";
    EXPECT_EQ(colorref_at(shot(combo), 90, below_list), picture.at(93, 4 + below_list)) << "visible below the list";

    elprogress bar;
    bar.set_geometry_pixels(0, 0, 240, 24);  // the picture is 256 pixels wide
    bar.obtener_imagen_fondo(picture.surface.handle(), 0, 0, 128);
    EXPECT_EQ(colorref_at(shot(bar), 150, 12), mix(picture.at(149, 11), 0x37463E, 128));
}

TEST_F(BackgroundBlend, AnUnknownHandleOrARegionOutsideThePictureLeavesThePlainFill) {
    elboton b;
    b.read_properties(PropertyBag{{"backcolor", 0x646464u}, {"caption", ""}});
    b.set_geometry_pixels(0, 0, 117, 24);
    b.obtener_imagen_fondo(picture.surface.handle(), 0, 0, 255);
    b.obtener_imagen_fondo(0xFFFFFFF0u, 0, 0, 255);
    EXPECT_EQ(colorref_at(shot(b), 60, 12), 0x646464u);
    b.obtener_imagen_fondo(picture.surface.handle(), 200, 0, 255);  // 115 pixels from x 200 pass the edge
    EXPECT_EQ(colorref_at(shot(b), 60, 12), 0x646464u);
}

TEST_F(BackgroundBlend, AnOpacityOutsideTheByteRangeThrowsAndLeavesTheSurfaceAsItWas) {
    elframe frame;
    frame.set_geometry_pixels(0, 0, 40, 40);
    frame.obtener_imagen_fondo(picture.surface.handle(), 0, 0, 200);
    const Image32 before = frame.surface();
    try {
        frame.obtener_imagen_fondo(picture.surface.handle(), 0, 0, 300);
        FAIL() << "no error for opacity 300";
    } catch (const std::out_of_range& e) {
        EXPECT_NE(std::string(e.what()).find("opacity 300 is outside 0..255"), std::string::npos) << e.what();
    }
    EXPECT_EQ(frame.surface().bytes, before.bytes);
}

TEST_F(BackgroundBlend, AControlsHandleFindsItsSurfaceSoThatOthersCanBlendFromIt) {
    elprogress full;
    full.set_geometry_pixels(0, 0, 296, 24);
    full.set_Max(1);
    full.set_Value(1);
    const Image32* found = SurfaceRegistry::instance().find(full.get_the_hdc());
    ASSERT_EQ(found, &full.surface());
    elframe frame;
    frame.set_geometry_pixels(0, 0, 40, 20);
    frame.obtener_imagen_fondo(full.get_the_hdc(), 0, 0, 255);
    EXPECT_EQ(colorref_from_bgra(frame.surface().pixel(5, 5)), 0x50B5C4u) << "a block of the bar";
    EXPECT_NE(elframe().get_the_hdc(), frame.get_the_hdc());
}

}  // namespace
}  // namespace morvane
