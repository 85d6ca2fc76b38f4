// Loading a picture and scaling it to the chosen resolution.
#include "main_window_fixture.h"

#include "controls/elcombo.h"
#include "platform/picture_surface.h"

#include <QColor>
#include <QImage>

namespace fs = std::filesystem;

namespace morvane::testing {
namespace {

// A picture whose every pixel differs from its neighbours, so that any other scaling shows.
fs::path make_picture(const fs::path& folder, const char* name, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x ^ y) & 0xFF));
    const fs::path file = folder / name;
    EXPECT_TRUE(image.save(QString::fromStdString(file.string())));
    return file;
}

// What stretching the picture to size x size gives, done directly.
morvane::Image32 stretched(const morvane::Image32& picture, int size) {
    morvane::PictureSurface surface;
    surface.set_width_pixels(size);
    surface.set_height_pixels(size);
    surface.stretch_copy(picture, 0, 0, size, size);
    return surface.image();
}

using Pictures = MainWindowTest;

TEST_F(Pictures, LoadPictureAsksWithItsTitleAndFilterAndShowsThePictureAt1024) {
    const auto file = make_picture(root.path(), "wide.bmp", 1600, 900);
    auto& w = open_located();
    dialog.answer(file.string());
    w.load_picture();
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].title, "Load Picture...");
    EXPECT_EQ(dialog.shown[0].filter, "Picture File(*.bmp,*.jpg)|*.bmp;*.jpg");
    EXPECT_EQ(dialog.shown[0].file_name_before, "");
    EXPECT_EQ(w.Picture1().width_pixels(), 1600);
    EXPECT_EQ(w.Picture1().height_pixels(), 900);
    EXPECT_EQ(w.Picture2().image().bytes, stretched(w.Picture1().image(), 1024).bytes);
}

TEST_F(Pictures, A1600By900PictureAt2048IsStretchedToTheWholeSquare) {
    const auto file = make_picture(root.path(), "wide.png", 1600, 900);
    auto& w = open_located();
    dialog.answer(file.string());
    w.load_picture();
    w.elcombo1().SetListIndex(1);
    EXPECT_EQ(w.Picture2().width_pixels(), 2048);
    EXPECT_EQ(w.Picture2().height_pixels(), 2048);
    EXPECT_EQ(w.Picture2().image().bytes, stretched(w.Picture1().image(), 2048).bytes);
    // The corners of the picture land in the corners of the square: nothing is cut off or kept aspect.
    EXPECT_EQ(w.Picture2().image().pixel(2047, 2047), w.Picture1().image().pixel(1599, 899));
}

TEST_F(Pictures, ChangingTheResolutionRescalesTheLoadedPictureNotTheEarlierCopy) {
    const auto file = make_picture(root.path(), "wide.bmp", 1600, 900);
    auto& w = open_located();
    dialog.answer(file.string());
    w.load_picture();
    w.elcombo1().SetListIndex(1);
    w.elcombo1().SetListIndex(0);
    EXPECT_EQ(w.Picture2().width_pixels(), 1024);
    EXPECT_EQ(w.Picture2().image().bytes, stretched(w.Picture1().image(), 1024).bytes);
    EXPECT_NE(w.Picture2().image().bytes, stretched(stretched(w.Picture1().image(), 2048), 1024).bytes);
}

TEST_F(Pictures, ACancelledDialogChangesNothing) {
    auto& w = open_located();
    const auto before = w.Picture2().image().bytes;
    w.load_picture();
    EXPECT_EQ(w.Picture2().image().bytes, before);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Pictures, AFileThatIsNoPictureKeepsThePreviousPictureAndTellsTheUser) {
    const auto good = make_picture(root.path(), "good.bmp", 300, 200);
    write_bytes(root.path() / "broken.jpg", "this is not a picture");
    auto& w = open_located();
    dialog.answer(good.string());
    w.load_picture();
    const auto picture = w.Picture1().image().bytes;
    const auto shown = w.Picture2().image().bytes;
    dialog.answer((root.path() / "broken.jpg").string());
    w.load_picture();
    EXPECT_EQ(w.Picture1().image().bytes, picture);
    EXPECT_EQ(w.Picture2().image().bytes, shown);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("broken.jpg"), std::string::npos) << messages.shown[0];
}

TEST_F(Pictures, TheBuildUsesTheLoadedPicture) {
    const auto file = make_picture(root.path(), "wide.bmp", 1600, 900);
    auto& w = open_located();
    w.make_background();
    const std::string from_default = read_bytes(texture_file());
    dialog.answer(file.string());
    w.load_picture();
    w.make_background();
    EXPECT_EQ(fs::file_size(texture_file()), 1398320u);
    EXPECT_NE(read_bytes(texture_file()), from_default);
}

}  // namespace
}  // namespace morvane::testing
