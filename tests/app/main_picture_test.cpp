// Loading a picture and scaling it to the chosen resolution.
#include "main_window_fixture.h"

#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "platform/picture_surface.h"

#include <algorithm>

namespace morvane::testing {
namespace {

using Pictures = MainWindowTest;

// What stretching the picture to size x size gives, done directly.
morvane::Image32 stretched(const morvane::Image32& picture, int size) {
    morvane::PictureSurface surface;
    surface.set_width_pixels(size);
    surface.set_height_pixels(size);
    surface.stretch_copy(picture, 0, 0, size, size);
    return surface.image();
}

TEST_F(Pictures, ALoadedPictureIsStretchedFromPicture1ToTheWhole1024Or2048Square) {
    auto& w = open_located();
    EXPECT_EQ(w.Picture2().image().bytes, w.Picture1().image().bytes) << "the built-in 1024 picture, 1:1";
    dialog.answer(wide_picture("wide.bmp").string());
    click(&w.elboton1());  // Load Picture
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].title, "Load Picture...");
    EXPECT_EQ(dialog.shown[0].filter, "Picture File(*.bmp,*.jpg)|*.bmp;*.jpg");
    EXPECT_EQ(w.Picture1().width_pixels(), 1600);
    EXPECT_EQ(w.Picture2().image().bytes, stretched(w.Picture1().image(), 1024).bytes);
    w.elcombo1().SetListIndex(1);
    EXPECT_EQ(w.Picture2().width_pixels(), 2048);
    EXPECT_EQ(w.Picture2().image().bytes, stretched(w.Picture1().image(), 2048).bytes);
    w.elcombo1().SetListIndex(0);
    EXPECT_EQ(w.Picture2().image().bytes, stretched(w.Picture1().image(), 1024).bytes) << "not from the 2048 copy";
}

TEST_F(Pictures, ACancelledDialogOrAFileThatIsNoPictureKeepsThePreviousPicture) {
    write_bytes(root.path() / "broken.jpg", "this is not a picture");
    auto& w = open_located();
    dialog.answer(wide_picture("wide.bmp").string());
    w.load_picture();
    const auto picture = w.Picture1().image().bytes, shown = w.Picture2().image().bytes;
    w.load_picture();  // cancelled
    dialog.answer((root.path() / "broken.jpg").string());
    w.load_picture();
    EXPECT_EQ(w.Picture1().image().bytes, picture);
    EXPECT_EQ(w.Picture2().image().bytes, shown);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("broken.jpg"), std::string::npos) << messages.shown[0];
}

TEST_F(Pictures, TheBuiltInPicturesNameLiesWellInsideWhatThePreviewFrameShowsAt1024) {
    auto& w = open();
    QWidget* frame = w.controls().find("elframe1");
    QWidget* view = w.controls().find("Picture2");
    // The frame's inside (within its one-pixel edge), in the picture's pixels.
    const QRect shown = frame->rect().adjusted(1, 1, -1, -1).translated(-view->pos());
    ASSERT_EQ(w.Picture2().width_pixels(), 1024);
    QRect letters;  // the light cores of the name's letters
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 1024; ++x) {
            const morvane::Bgra p = w.Picture2().image().pixel(x, y);
            if (std::min({p.r, p.g, p.b}) > 190) letters |= QRect(x, y, 1, 1);
        }
    ASSERT_GT(letters.width(), 300) << "the name is there";
    const int margin = 24;  // pixels of background round the name
    EXPECT_TRUE(shown.adjusted(margin, margin, -margin, -margin).contains(letters))
        << "name at " << letters.x() << "," << letters.y() << " " << letters.width() << "x" << letters.height()
        << ", the frame shows " << shown.width() << "x" << shown.height();
}

}  // namespace
}  // namespace morvane::testing
