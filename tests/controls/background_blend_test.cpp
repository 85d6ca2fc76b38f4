// obtener_imagen_fondo: each control shows a region of another surface behind its edge.
#include "control_test_support.h"
#include "controls/elboton.h"

#include <limits>
#include <stdexcept>

namespace morvane::controls {
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

// What opacity `a` shows: each channel rounded to the nearest value between the fill and the picture.
uint32_t mix(uint32_t source, uint32_t back, int a) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16})
        out |= ((source >> shift & 0xFF) * a + (back >> shift & 0xFF) * (255 - a) + 127) / 255 << shift;
    return out;
}

class BackgroundBlend : public ControlTest {
protected:
    Picture picture;
};

TEST_F(BackgroundBlend, TheButtonShowsThePictureInsideItsEdgeAtOpacities0And128And255AndRefusesOthers) {
    elboton b;
    b.read_properties(PropertyBag{{"backcolor", 0x646464u}, {"caption", ""}});
    b.set_geometry_pixels(0, 0, 117, 24);
    for (int a : {0, 128, 255}) {
        b.obtener_imagen_fondo(picture.surface.handle(), 10, 20, int16_t(a));
        const QImage image = shot(b);
        // Pixel (x, y) of the control shows the picture's (10 + x - 1, 20 + y - 1): the blend starts at (1, 1).
        EXPECT_EQ(colorref_at(image, 1, 1), mix(picture.at(10, 20), 0x646464, a)) << "opacity " << a;
        EXPECT_EQ(colorref_at(image, 115, 22), mix(picture.at(124, 41), 0x646464, a)) << "opacity " << a;
        EXPECT_EQ(colorref_at(image, 60, 0), 0x95AAA0u) << "top edge above the blend";
        EXPECT_EQ(colorref_at(image, 116, 12), dark_shown()) << "right edge above the blend";
    }
    EXPECT_EQ(colorref_at(shot(b), 60, 12), picture.at(69, 31)) << "255 copies the picture unchanged";
    const Image32 before = b.surface();
    EXPECT_THROW(b.obtener_imagen_fondo(picture.surface.handle(), 0, 0, 300), std::out_of_range);
    EXPECT_EQ(b.surface().bytes, before.bytes) << "an opacity outside 0..255 leaves the surface as it was";
    const SurfaceHandle known = picture.surface.handle();
    for (auto [handle, x] : {std::pair{0xFFFFFFF0u, 0}, {known, 200}, {known, std::numeric_limits<int>::max()}}) {
        b.obtener_imagen_fondo(handle, x, 0, 255);
        EXPECT_EQ(colorref_at(shot(b), 60, 12), 0x646464u) << "an unknown handle or a region past the picture, x " << x;
    }
}

}  // namespace
}  // namespace morvane::controls
