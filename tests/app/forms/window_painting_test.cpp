// A window painted from its layout: every control where the layout puts it, clipped by what holds it.
#include "app/forms/window_controls.h"
#include "tests/support/box_text.h"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

Image32 painted_main(const Image32* preview = nullptr) {
    BoxText text;
    app::WindowControls controls(app::main_form_definition(), TwipsPerPixel{}, controls::FontSpec{});
    controls.at(app::main_rows::Picture2).picture = preview;
    Image32 window;
    app::paint_window(window, controls, text);
    return window;
}

TEST(WindowPainting, TheMainWindowHasItsSizeColourFramesAndButtonsWhereTheLayoutPutsThem) {
    const Image32 w = painted_main();
    ASSERT_EQ(w.width, 820);
    ASSERT_EQ(w.height, 711);
    EXPECT_EQ(colour_at(w, 5, 5), 0x646464u);
    EXPECT_EQ(colour_at(w, 100, 29), 0xB2B2B2u) << "elframe2's top edge (its dark colour)";
    EXPECT_EQ(colour_at(w, 11 + 797, 300), 0x222E28u) << "elframe2's right edge (its light colour)";
    EXPECT_EQ(colour_at(w, 569 + 50, 675), 0x95AAA0u) << "Make Background's raised top edge";
    EXPECT_EQ(colour_at(w, 569 + 116, 685), 0x000000u) << "and its dark right edge";
    EXPECT_EQ(colour_at(w, 692 + 3, 690), 0x646464u) << "Load Picture's face";
}

TEST(WindowPainting, ThePreviewShowsThePictureInsideTheInnerFrameAndIsClippedByIt) {
    const Image32 picture(1024, 1024, Bgra{0, 0, 255, 255});  // red
    const Image32 w = painted_main(&picture);
    EXPECT_EQ(colour_at(w, 11 + 9 + 1, 29 + 8 + 1), 0x0000FFu);
    EXPECT_EQ(colour_at(w, 11 + 9 + 779, 29 + 8 + 300), 0xB2B2B2u) << "elframe1's right edge stays above the picture";
    EXPECT_EQ(colour_at(w, 11 + 9 + 790, 29 + 8 + 300), 0x646464u) << "nothing of the picture past the frame";
}

TEST(WindowPainting, ControlsReportTheirPlaceInTheWindowAndThePartTheirContainersShow) {
    const app::WindowControls controls(app::main_form_definition(), TwipsPerPixel{}, controls::FontSpec{});
    const app::LiveControl& frame = controls.at(app::main_rows::elframe1);
    EXPECT_EQ(controls.window_place(frame).x, 20);
    EXPECT_EQ(controls.window_place(frame).y, 37);
    const app::LiveControl& list = controls.at(app::main_rows::elcombo1);
    EXPECT_EQ(list.place.width, 185);
    EXPECT_EQ(list.place.height, 20);
    const app::LiveControl& picture1 = controls.at(app::main_rows::Picture1);
    EXPECT_FALSE(picture1.visible);
    // The code reaches each control by its row's name: the names must stand in the layout's order.
    const char* main_rows[] = {"Label1", "Label2", "elframe2", "elframe1", "Picture2", "Picture1", "Label3",
                               "elcombo1", "elboton2", "elboton1", "Label4", "Source_Buffer", "Temp_Buffer"};
    ASSERT_EQ(controls.all().size(), std::size(main_rows));
    for (size_t row = 0; row < std::size(main_rows); ++row) EXPECT_EQ(controls.all()[row].name, main_rows[row]);
    const app::WindowControls progress(app::process_form_definition(), TwipsPerPixel{}, controls::FontSpec{});
    EXPECT_EQ(progress.at(app::process_rows::elprogress1).name, "elprogress1");
}

TEST(WindowPainting, TheProgressWindowShowsItsBarEmptyAtFirst) {
    BoxText text;
    app::WindowControls controls(app::process_form_definition(), TwipsPerPixel{}, controls::FontSpec{});
    Image32 w;
    app::paint_window(w, controls, text);
    ASSERT_EQ(w.width, 312);
    EXPECT_EQ(colour_at(w, 8 + 8, 26 + 10), 0x37463Eu);
    controls.at(app::process_rows::elprogress1).progress.set_Value(10);
    app::paint_window(w, controls, text);
    EXPECT_EQ(colour_at(w, 8 + 8, 26 + 10), 0x50B5C4u);
}

}  // namespace
}  // namespace morvane::testing
