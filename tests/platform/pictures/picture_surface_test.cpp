// The picture surface: its sizes as a window measures them, its clear that waits until someone looks, and the
// reductions it draws from its reduction pyramid.
#include "platform/pictures/picture_surface.h"
#include "platform/pictures/stretch_copy.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>

namespace morvane {
namespace {

using testing::noise_picture;

// The largest byte difference between the picture drawn at `at` (x, y, w, h; the whole surface when left out)
// on the scratch surface, resized and cleared as the texture build captures, and the general stretch copy
// drawing it on a black image.
int off_by(PictureSurface& scratch, const Image32& picture, int w, int h, std::array<int, 4> at = {}) {
    if (at == std::array<int, 4>{}) at = {0, 0, w, h};
    scratch.set_width_pixels(w);
    scratch.set_height_pixels(h);
    scratch.clear();
    scratch.stretch_copy(picture, at[0], at[1], at[2], at[3]);
    Image32 direct(w, h, Bgra{0, 0, 0, 255});
    stretch_copy(picture, direct, at[0], at[1], at[2], at[3]);
    int worst = 0;
    for (size_t i = 0; i < direct.bytes.size(); ++i)
        worst = std::max(worst, std::abs(int(scratch.image().bytes[i]) - int(direct.bytes[i])));
    return worst;
}

// Halvings come from the pyramid and match the direct area reduction within one; other sizes take the general
// copy exactly; a halving drawn partly outside the surface is clipped as the general copy clips it. A picture
// changed after a reduction (through its own functions, replaced, or written directly and announced with
// touch()) is reduced afresh, not from the old pyramid.
TEST(PictureSurface, EveryDrawingMatchesTheGeneralStretchCopyOfTheWholePicture) {
    PictureSurface scratch;
    const Image32 picture = noise_picture(512, 256, 3), small = noise_picture(100, 60, 4);
    for (int k = 0; k <= 8; ++k) EXPECT_LE(off_by(scratch, picture, 512 >> k, 256 >> k), 1) << "reduction by " << (1 << k);
    for (auto [w, h] : {std::pair{30, 30}, {50, 20}, {25, 30}, {99, 59}, {200, 120}})
        EXPECT_EQ(off_by(scratch, small, w, h), 0) << w << "x" << h;
    EXPECT_LE(off_by(scratch, small, 20, 12, {-5, 3, 50, 30}), 1);
    Image32 changed = noise_picture(64, 64, 5);
    const std::function<void(Image32&)> changes[] = {
        [](Image32& p) { p.fill(Bgra{10, 20, 30, 255}); },
        [](Image32& p) { p = noise_picture(64, 64, 6); },
        [](Image32& p) { for (uint8_t& b : p.bytes) b = uint8_t(255 - b); p.touch(); }};
    EXPECT_LE(off_by(scratch, changed, 16, 16), 1);
    for (size_t i = 0; i < std::size(changes); ++i) {
        changes[i](changed);
        EXPECT_LE(off_by(scratch, changed, 16, 16), 1) << "change " << i;
    }
}

// Sizes are in the container's units, rounded to whole pixels; growing an image 0 wide but 5 high once copied
// its rows from no memory at all. A clear is carried out only when the image is looked at or drawn over in
// part: each case runs with the surface's own clear and with the back colour (red) drawn over the whole
// surface at once, and both must show the same.
TEST(PictureSurface, SizesAreInTheContainersUnitsAndEveryReaderSeesTheBackColourWhereAnEagerFillPutsIt) {
    PictureSurface sized(0x00336699);
    sized.set_container_units_per_pixel(15);  // sitting on a frame that measures in twips
    sized.set_width(15360);
    EXPECT_EQ(sized.width_pixels(), 1024);
    sized.set_width_pixels(0);
    sized.set_height_pixels(5);
    sized.set_width_pixels(3);
    EXPECT_EQ(sized.width(), 45);
    EXPECT_EQ(sized.image().bytes, Image32(3, 5, bgra_from_colorref(0x00336699)).bytes);

    using Clear = std::function<void(PictureSurface&)>;
    const Clear deferred = [](PictureSurface& s) { s.clear(); };
    const Clear eager = [](PictureSurface& s) {
        s.stretch_copy(Image32(1, 1, Bgra{0, 0, 255, 255}), 0, 0, s.width_pixels(), s.height_pixels());
    };
    const Image32 picture = noise_picture(8, 8);
    PictureSurface source(0x000000FF);
    source.hold_picture(noise_picture(16, 16, 3));
    const std::pair<const char*, std::function<void(PictureSurface&, const Clear&)>> cases[] = {
        {"drawn over in part", [&](auto& s, auto& clear) { clear(s); s.stretch_copy(picture, 1, 1, 4, 4); }},
        {"drawn over beyond every edge", [&](auto& s, auto& clear) { clear(s); s.stretch_copy(picture, -1, -1, 10, 10); }},
        {"drawn onto itself", [&](auto& s, auto& clear) { clear(s); s.stretch_copy(s.image(), 0, 0, 8, 8); }},
        {"grown", [&](auto& s, auto& clear) { s.set_width_pixels(3), clear(s), s.set_width_pixels(5), s.set_height_pixels(9); }},
        {"widened after the back colour changed",  // blue: kept pixels stay red, new ones come blue
         [&](auto& s, auto& clear) { clear(s), s.set_back_color(0x00FF0000), s.set_width_pixels(9); }},
        {"reducing a picture cleared since it was last reduced", [&](auto& s, auto& clear) {
             PictureSurface cleared = source;
             s.stretch_copy(cleared.image(), 0, 0, 8, 8);  // builds the halvings of the old picture
             clear(cleared);
             s.stretch_copy(cleared.image(), 0, 0, 8, 8);
         }},
    };
    for (const auto& [name, run] : cases) {
        PixelBytes seen[2];
        for (int i = 0; i < 2; ++i) {
            PictureSurface s(0x000000FF);
            s.hold_picture(noise_picture(8, 8, 2));
            run(s, i == 0 ? deferred : eager);
            seen[i] = s.image().bytes;
        }
        EXPECT_EQ(seen[0], seen[1]) << name;
    }
}

}  // namespace
}  // namespace morvane
