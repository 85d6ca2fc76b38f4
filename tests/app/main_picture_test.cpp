// The picture: Load Picture, `morvane PICTURE`, a file dropped from a file manager, and scaling it to the
// chosen resolution.
#include "main_window_fixture.h"

#include "app/core/program_arguments.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "platform/pictures/picture_surface.h"

#include <QImageReader>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <string_view>

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

// The dialog's title and filter, a cancel and an unreadable file are the window's logic (tests/app/forms).
TEST_F(Pictures, TheBuiltInPictureIsShownOneToOneAt1024) {
    auto& w = open_located();
    EXPECT_EQ(w.Picture2().image().bytes, w.Picture1().image().bytes);
}

TEST_F(Pictures, ALoadedPictureIsStretchedFromPicture1ToTheWholeSquareOfEitherResolution) {
    auto& w = open_located();
    dialog.answer(wide_picture("wide.bmp").string());
    click(&w.elboton1());  // Load Picture
    EXPECT_EQ(w.Picture1().width_pixels(), 1600);
    EXPECT_EQ(w.Picture2().image().bytes, stretched(w.Picture1().image(), 1024).bytes);
    w.elcombo1().SetListIndex(1);
    EXPECT_EQ(w.Picture2().width_pixels(), 2048);
    EXPECT_EQ(w.Picture2().image().bytes, stretched(w.Picture1().image(), 2048).bytes);
    w.elcombo1().SetListIndex(0);
    EXPECT_EQ(w.Picture2().image().bytes, stretched(w.Picture1().image(), 1024).bytes) << "not from the 2048 copy";
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

TEST(ProgramArguments, OnePictureOrTheVersionOrTheUsageAnythingElseIsRefused) {
    using Kind = app::ProgramArguments::Kind;
    const struct {
        std::vector<std::string_view> arguments;
        Kind kind;
        std::string picture;
    } taken[] = {
        {{}, Kind::Run, ""},
        {{"/home/ana/Pictures/sea.jpg"}, Kind::Run, "/home/ana/Pictures/sea.jpg"},
        {{"--", "-dash.jpg"}, Kind::Run, "-dash.jpg"},  // after -- a name may start with a dash
        {{"--", "--version"}, Kind::Run, "--version"},
        {{"sea.jpg", "--version"}, Kind::Version, ""},
        {{"--help"}, Kind::Help, ""},
        {{"-h"}, Kind::Help, ""},
    };
    for (const auto& c : taken) {
        SCOPED_TRACE(c.picture);
        const auto parsed = app::parse_program_arguments(c.arguments);
        ASSERT_TRUE(parsed.ok) << parsed.error;
        EXPECT_EQ(parsed.value.kind, c.kind);
        EXPECT_EQ(parsed.value.picture, c.picture);
    }
    const struct {
        std::vector<std::string_view> arguments;
        std::string problem;
    } refused[] = {
        {{"--fullscreen"}, "unknown option \"--fullscreen\""},
        {{"a.jpg", "b.jpg"}, "only one picture can be opened (\"a.jpg\" and \"b.jpg\")"},
        {{""}, "an empty picture name was given"},
    };
    for (const auto& c : refused) EXPECT_EQ(app::parse_program_arguments(c.arguments).error, c.problem);
}

TEST(DesktopEntry, OffersOnlyPictureTypesThatTheLoaderReads) {
    std::ifstream entry(MORVANE_DESKTOP_ENTRY);
    std::string line, types;
    while (std::getline(entry, line))
        if (line.starts_with("MimeType=")) types = line.substr(9);
    ASSERT_FALSE(types.empty());
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    for (const QByteArray& type : QByteArray::fromStdString(types).split(';'))
        EXPECT_TRUE(type.isEmpty() || readable.contains(type)) << type.toStdString();
}

TEST_F(Pictures, APictureGivenAtStartIsLoadedOnlyOnceTheGameIsLocated) {
    const fs::path wide = wide_picture("wide.png");
    dialog.answer(exe());
    auto& w = open();
    const auto built_in = w.Picture1().image().bytes;
    w.load_at_start(wide.string());
    EXPECT_EQ(w.Picture1().image().bytes, built_in) << "not before the start-up steps";
    w.Form_Activate();
    EXPECT_EQ(w.Picture1().width_pixels(), 1600);
    EXPECT_EQ(w.Picture2().width_pixels(), 1024);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Pictures, AnUnreadablePictureGivenAtStartIsToldAndTheBuiltInPictureStays) {
    dialog.answer(exe());
    auto& w = open();
    const auto built_in = w.Picture1().image().bytes;
    write_bytes(root.path() / "notes.jpg", "not a picture at all");
    w.load_at_start((root.path() / "notes.jpg").string());
    w.Form_Activate();
    EXPECT_EQ(w.Picture1().image().bytes, built_in);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("notes.jpg"), std::string::npos) << messages.shown[0];
}

TEST_F(Pictures, APictureGivenAtStartIsNeverOpenedWhenThePlayerCancelsTheGameDialog) {
    dialog.answer("");  // cancelled: the program ends
    auto& w = open();
    const auto built_in = w.Picture1().image().bytes;
    w.load_at_start(wide_picture("wide.png").string());
    w.Form_Activate();
    EXPECT_EQ(messages.shown, std::vector<std::string>{app::kNoGameProgram});
    EXPECT_EQ(w.Picture1().image().bytes, built_in);
}

// A pipe is passed over, not opened (that would hang).
TEST_F(Pictures, DroppingNoFileAFolderAPipeAMissingFileAWebAddressOrTextIsRefusedAndChangesNothing) {
    auto& w = open_located();
    const auto built_in = w.Picture1().image().bytes;
    write_bytes(root.path() / "notes.txt", "some notes");
    fs::create_directory(root.path() / "folder.jpg");
    ASSERT_EQ(::mkfifo((root.path() / "pipe.jpg").c_str(), 0600), 0);
    for (const char* name : {"notes.txt", "folder.jpg", "pipe.jpg", "gone.jpg"})
        EXPECT_FALSE(drop({root.path() / name})) << name;
    EXPECT_FALSE(drop({}, {QUrl("https://example.org/sea.jpg")}));
    EXPECT_FALSE(drop({}));
    EXPECT_EQ(w.Picture1().image().bytes, built_in);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Pictures, OfSeveralDroppedFilesTheFirstPictureIsLoaded) {
    auto& w = open_located();
    write_bytes(root.path() / "notes.txt", "some notes");
    EXPECT_TRUE(drop({root.path() / "notes.txt", wide_picture("wide.bmp")}));
    EXPECT_EQ(w.Picture1().width_pixels(), 1600);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Pictures, ADroppedFileNamedLikeAPictureButBrokenIsTakenAndTheLoaderSaysWhy) {
    auto& w = open_located();
    const auto built_in = w.Picture1().image().bytes;
    write_bytes(root.path() / "broken.jpg", "this is not a picture");
    EXPECT_TRUE(drop({root.path() / "broken.jpg"}));
    EXPECT_EQ(w.Picture1().image().bytes, built_in);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("broken.jpg"), std::string::npos) << messages.shown[0];
}

TEST_F(Pictures, ADroppedPngWithoutItsSuffixIsAPictureByItsContentAndScaledToTheChosenResolution) {
    auto& w = open_located();
    fs::copy_file(wide_picture("plain.png"), root.path() / "picture-without-suffix");
    w.elcombo1().SetListIndex(1);
    EXPECT_TRUE(drop({root.path() / "picture-without-suffix"}));
    EXPECT_EQ(w.Picture2().width_pixels(), 2048);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace morvane::testing
