// Pictures that come from outside the window: `morvane PICTURE` and a file dropped from a file manager.
#include "main_window_fixture.h"

#include "app/core/program_arguments.h"
#include "controls/elcombo.h"

#include <QDropEvent>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>
#include <sys/stat.h>

#include <fstream>
#include <string_view>
#include <vector>

namespace morvane::testing {
namespace {

using Opening = MainWindowTest;

app::ProgramArguments parsed(std::vector<std::string_view> arguments) {
    return app::parse_program_arguments(arguments);
}

TEST(ProgramArguments, OnePictureOrTheVersionOrTheUsageAnythingElseIsRefused) {
    using Kind = app::ProgramArguments::Kind;
    EXPECT_EQ(parsed({}).kind, Kind::Run);
    EXPECT_EQ(parsed({}).picture, "");
    EXPECT_EQ(parsed({"/home/ana/Pictures/sea.jpg"}).picture, "/home/ana/Pictures/sea.jpg");
    EXPECT_EQ(parsed({"--", "-dash.jpg"}).picture, "-dash.jpg") << "after -- a name may start with a dash";
    EXPECT_EQ(parsed({"sea.jpg", "--version"}).kind, Kind::Version);
    EXPECT_EQ(parsed({"--help"}).kind, Kind::Help);
    EXPECT_EQ(parsed({"-h"}).kind, Kind::Help);
    EXPECT_EQ(parsed({"--", "--version"}).picture, "--version");

    const struct {
        std::vector<std::string_view> arguments;
        std::string said;
    } wrong[] = {
        {{"--fullscreen"}, "unknown option \"--fullscreen\""},
        {{"a.jpg", "b.jpg"}, "only one picture can be opened (\"a.jpg\" and \"b.jpg\")"},
        {{""}, "an empty picture name was given"},
    };
    for (const auto& w : wrong) {
        const auto result = parsed(w.arguments);
        EXPECT_EQ(result.kind, Kind::Wrong) << w.said;
        EXPECT_EQ(result.problem, w.said);
    }
}

TEST(DesktopEntry, OffersOnlyPictureTypesThatTheLoaderReads) {
    std::ifstream entry(MORVANE_DESKTOP_ENTRY);
    std::string line, types;
    while (std::getline(entry, line))
        if (line.starts_with("MimeType=")) types = line.substr(9);
    ASSERT_FALSE(types.empty());
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    for (const QByteArray& type : QByteArray::fromStdString(types).split(';'))
        if (!type.isEmpty()) {
            EXPECT_TRUE(readable.contains(type)) << type.toStdString();
        }
}

TEST_F(Opening, APictureGivenAtStartIsLoadedOnceTheGameIsLocatedAndAnUnreadableOneKeepsTheBuiltInPicture) {
    const fs::path wide = wide_picture("wide.png");
    dialog.answer(exe());
    auto& w = open();
    const auto built_in = w.Picture1().image().bytes;
    w.load_at_start(wide.string());
    EXPECT_EQ(w.Picture1().image().bytes, built_in) << "not before the start-up steps";
    w.Form_Activate();
    EXPECT_EQ(w.console_path(), console().string());
    EXPECT_EQ(w.Picture1().width_pixels(), 1600);
    EXPECT_EQ(w.Picture2().width_pixels(), 1024);
    EXPECT_TRUE(messages.shown.empty());

    write_bytes(root.path() / "notes.jpg", "not a picture at all");
    open().load_at_start((root.path() / "notes.jpg").string());
    window->Form_Activate();  // config.dat now knows the game
    EXPECT_EQ(window->Picture1().image().bytes, built_in);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("notes.jpg"), std::string::npos) << messages.shown[0];

    fs::remove(program() / "config.dat");
    messages.shown.clear();
    dialog.answer("");  // cancelled: the program ends and the picture is never opened
    open().load_at_start(wide.string());
    window->Form_Activate();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Cant locate hl2.exe file. Quitting..."});
    EXPECT_EQ(window->Picture1().image().bytes, built_in);
}

class Dropping : public MainWindowTest {
protected:
    // A drag from a file manager, entering the window and then dropped; true when the window took it.
    bool drop(const std::vector<QUrl>& urls) {
        QMimeData data;
        data.setUrls(QList<QUrl>(urls.begin(), urls.end()));
        QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window.get(), &enter);
        QDropEvent dropped(QPointF(400, 300), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window.get(), &dropped);
        EXPECT_EQ(enter.isAccepted(), dropped.isAccepted()) << "the cursor promised what the drop does";
        return dropped.isAccepted();
    }
    static QUrl file(const fs::path& path) { return QUrl::fromLocalFile(QString::fromStdString(path.string())); }
};

TEST_F(Dropping, APictureFileLoadsLikeLoadPictureAndEverythingElseChangesNothing) {
    auto& w = open_located();
    const auto built_in = w.Picture1().image().bytes;
    write_bytes(root.path() / "notes.txt", "some notes");
    fs::create_directory(root.path() / "folder.jpg");
    ASSERT_EQ(::mkfifo((root.path() / "pipe.jpg").c_str(), 0600), 0);
    const fs::path wide = wide_picture("wide.bmp");

    EXPECT_FALSE(drop({file(root.path() / "notes.txt")}));
    EXPECT_FALSE(drop({file(root.path() / "folder.jpg")}));
    EXPECT_FALSE(drop({file(root.path() / "pipe.jpg")})) << "a pipe is passed over, not opened (that would hang)";
    EXPECT_FALSE(drop({QUrl("https://example.org/sea.jpg")}));
    EXPECT_FALSE(drop({file(root.path() / "gone.jpg")}));
    EXPECT_FALSE(drop({}));
    EXPECT_EQ(w.Picture1().image().bytes, built_in);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_TRUE(drop({file(root.path() / "notes.txt"), file(wide)})) << "the first picture among the files";
    EXPECT_EQ(w.Picture1().width_pixels(), 1600);
    EXPECT_TRUE(messages.shown.empty());

    // Named like a picture but broken: taken, and the loader says why, as with Load Picture.
    const auto wide_bytes = w.Picture1().image().bytes;
    write_bytes(root.path() / "broken.jpg", "this is not a picture");
    EXPECT_TRUE(drop({file(root.path() / "broken.jpg")}));
    EXPECT_EQ(w.Picture1().image().bytes, wide_bytes);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("broken.jpg"), std::string::npos) << messages.shown[0];

    // A PNG without its suffix is still a picture by its content.
    fs::copy_file(wide_picture("plain.png"), root.path() / "picture-without-suffix");
    messages.shown.clear();
    w.elcombo1().SetListIndex(1);
    EXPECT_TRUE(drop({file(root.path() / "picture-without-suffix")}));
    EXPECT_EQ(w.Picture2().width_pixels(), 2048) << "scaled to the chosen resolution";
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Dropping, ADropDuringABuildIsIgnored) {
    auto& w = open_located();
    const auto built_in = w.Picture1().image().bytes;
    const fs::path wide = wide_picture("wide.bmp");
    bool tried = false, taken = false;
    during_yield = [&] {
        if (tried || !w.building()) return;
        tried = true;
        taken = drop({file(wide)});
    };
    w.make_background();
    EXPECT_TRUE(tried);
    EXPECT_FALSE(taken);
    EXPECT_EQ(w.Picture1().image().bytes, built_in);
    EXPECT_TRUE(fs::exists(texture_file()));
}

}  // namespace
}  // namespace morvane::testing
