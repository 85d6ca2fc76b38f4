// What the Linux host adds to the window core: Qt's controls over the core's pixels, their keys, focus and
// screen-reader facts, and the system's close.
#include "app/forms/game_location.h"
#include "app/qt/main_window.h"
#include "controls/qt/qt_text.h"
#include "tests/support/box_text.h"
#include "tests/support/scripted_services.h"
#include "tests/support/temp_folder.h"
#include "texture/vtfmod.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <gtest/gtest.h>


namespace morvane::testing {
namespace {

namespace fs = std::filesystem;

// One QApplication for every test, gone before the program's own exit (QTest's devices go then too).
struct QtApplication : ::testing::Environment {
    void SetUp() override {
        static int argc = 1;
        static char name[] = "app_qt_tests";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        // The fade asks for every opacity; Qt's screen without a display says each time that it has none.
        static const QtMessageHandler shown = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (!text.contains(QStringLiteral("window opacity")) && !text.contains(QStringLiteral("window masks")))
                    shown(type, context, text);
            });
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QApplication> app;
};
const auto* const registered = ::testing::AddGlobalTestEnvironment(new QtApplication);

class QtWindow : public ::testing::Test {
protected:
    QtWindow() {
        fs::create_directories(root.path() / "game" / "cstrike" / "materials");
        dialog.answer((root.path() / "game" / "hl2.exe").string());
        services.program_folder = root.path();
        services.dialog = &dialog;
        services.messages = &messages;
        services.fx = &fx;
        services.texture = &texture;
        services.yield = [this] {
            QApplication::processEvents();
            if (during_build) std::exchange(during_build, nullptr)();
        };
        services.write_vmt = app::write_material;
        services.load_picture = [](const fs::path&) { return LoadedPicture::failed("unused"); };
        services.end_program = [this](int code) { ended = code; };
        window.emplace(services, TwipsPerPixel{}, controls::FontSpec{}, controls::qt_text());
        window->show_centred();
        QApplication::setActiveWindow(&*window);
        window->form().Form_Activate();
        QApplication::processEvents();
    }
    QWidget& control(size_t row) { return *window->control(row); }
    void key(size_t row, Qt::Key k) { QTest::keyClick(&control(row), k); }

    TempFolder root;
    ScriptedFileDialog dialog;
    RecordingMessageBox messages;
    app::QtCursor cursor;
    app::WindowEffects fx{cursor, [] {}};
    texture::TextureModule texture;
    app::MainServices services;
    std::function<void()> during_build;
    std::optional<int> ended;
    std::optional<app::MainWindow> window;
};

TEST_F(QtWindow, ShowsTheCoresPixelsWithEachControlOverItsOwnRectangle) {
    ASSERT_FALSE(window->form().console_path().empty());
    const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const Image32& painted = window->pixels();
    ASSERT_EQ(shown.width(), painted.width);
    for (int y = 0; y < painted.height; y += 7)
        ASSERT_EQ(0, std::memcmp(shown.constScanLine(y), painted.row(y), size_t(painted.width) * 4)) << "row " << y;
    for (const size_t row : {app::main_rows::elcombo1, app::main_rows::elboton2, app::main_rows::elboton1}) {
        const PixelRect place = window->form().controls().window_place(window->form().controls().at(row));
        EXPECT_EQ(QRect(control(row).mapTo(&*window, QPoint(0, 0)), control(row).size()),
                  QRect(place.x, place.y, place.width, place.height));
    }
}

TEST_F(QtWindow, TabGoesRoundTheControlsAndOnlyAKeyShowsTheFocusMark) {
    EXPECT_TRUE(control(app::main_rows::elcombo1).hasFocus());
    EXPECT_FALSE(window->form().elcombo1().state.focus_mark) << "no mark before the keyboard is used";
    for (const size_t next : {app::main_rows::elboton2, app::main_rows::elboton1, app::main_rows::Label2,
                              app::main_rows::elcombo1}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(control(next).hasFocus()) << window->form().controls().at(next).name;
    }
    EXPECT_TRUE(window->form().elcombo1().state.focus_mark);
    EXPECT_FALSE(window->form().elboton2().state.focus_mark);
}

TEST_F(QtWindow, EnterSpaceAndAClickPressAButtonThatIsRaisedAgainAfterwards) {
    key(app::main_rows::elboton1, Qt::Key_Return);
    EXPECT_EQ(dialog.shown.size(), 2u) << "Enter on Load Picture opens the dialog";
    QTest::mousePress(&control(app::main_rows::elboton1), Qt::LeftButton);
    EXPECT_TRUE(window->form().elboton1().state.held);
    QTest::mouseRelease(&control(app::main_rows::elboton1), Qt::LeftButton);
    EXPECT_EQ(dialog.shown.size(), 3u) << "a click opens it too";
    EXPECT_FALSE(window->form().elboton1().state.held) << "and the button is raised again";
    control(app::main_rows::elboton2).setFocus();
    key(app::main_rows::elboton2, Qt::Key_Space);
    EXPECT_TRUE(fs::exists(root.path() / "game" / "cstrike" / "materials" / "console" / "background01.vtf"));
    EXPECT_EQ(window->focusWidget(), &control(app::main_rows::elboton2)) << "the focus comes back after the build";
}

TEST_F(QtWindow, TheSystemsCloseDuringABuildEndsTheProgramOnlyOnceTheTexturesAreWritten) {
    during_build = [this] {
        EXPECT_FALSE(window->close()) << "the window stays until the build has written its files";
        EXPECT_FALSE(ended) << "not while the build runs";
        EXPECT_FALSE(window->progress()->close()) << "the progress window cannot be closed";
    };
    window->form().make_background();
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(fs::exists(root.path() / "game" / "cstrike" / "materials" / "console" / "background01_widescreen.vtf"));
}

TEST_F(QtWindow, ScreenReadersHearEachControlsRoleNameAndValue) {
    const struct {
        size_t row;
        QAccessible::Role role;
        const char* name;
    } heard[] = {{app::main_rows::elboton2, QAccessible::Button, "Make Background"},
                 {app::main_rows::elboton1, QAccessible::Button, "Load Picture"},
                 {app::main_rows::Label2, QAccessible::Button, "Close"}};
    for (const auto& h : heard) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&control(h.row));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), h.role) << h.name;
        EXPECT_EQ(a->text(QAccessible::Name).toStdString(), h.name);
    }
    // Qt's combo box is heard by its choice; the group round it by the layout's word for it.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&control(app::main_rows::elcombo1));
    EXPECT_EQ(list->role(), QAccessible::ComboBox);
    EXPECT_EQ(list->text(QAccessible::Value), "1024 x 1024");
    EXPECT_EQ(list->parent()->role(), QAccessible::Grouping);
    EXPECT_EQ(list->parent()->text(QAccessible::Name), "Resolution") << "the list lies in a group of its name";
}

}  // namespace
}  // namespace morvane::testing
