// What the four controls share, seen mostly through the frame, which adds nothing of its own: stored settings,
// change notification, the size rule, the edge, the events and the background blend.
#include "control_test_support.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/elprogress.h"
#include "controls/skin_painter.h"

#include <QLabel>

#include <limits>
#include <stdexcept>

namespace morvane::controls {
namespace {

using namespace morvane::testing;

using Skinned = ControlTest;

std::vector<std::string> keys_of(const Settings& settings) {
    std::vector<std::string> keys;
    for (const auto& pair : settings.pairs()) keys.push_back(pair.first);
    return keys;
}

std::string upper(std::string key) {
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return key;
}

TEST_F(Skinned, EachControlStoresWhatDiffersFromItsDefaultsUnderItsKeysAndNotifiesOnlyWhenAPropertyIsSet) {
    using Keys = std::vector<std::string>;
    auto plus = [](Keys a, const Keys& b) { a.insert(a.end(), b.begin(), b.end()); return a; };
    const Keys edge{"BackColor", "Enabled", "Color3DLight", "Color3DDark"};
    const Keys font{"FontName", "FontSize", "FontBold", "FontItalic", "FontUnderline"};
    const struct {
        SkinnedControl* (*make)(QWidget*, const Settings&);
        Settings definition;
        Keys written;
        Keys keys;  // every key the control takes, as callers and stored definitions spell it
    } cases[] = {
        {make<elboton>,
         {{"CAPTION", "Make Background"}, {"centercaption", true}, {"backcolor", 0x646464u}, {"fontsize", 12}},
         {"backcolor", "caption", "fontsize", "centercaption"},
         plus(plus(Keys{"ForeColor", "Caption", "DropShadow", "CenterCaption"}, edge), font)},
        {make<elframe>,
         {{"BackColor", 0x646464u}, {"enabled", false}, {"color3dlight", 0x222E28u}},
         {"backcolor", "enabled", "color3dlight"},
         edge},
        // The host's font is Tahoma 9.75, so no font key differs; the list text is kept as it is.
        {make<elcombo>,
         {{"forecolor", 0xFFFFFFu}, {"backcolor", 0u}, {"list", "kept"}, {"symbolcolor", 0xFFu},
          {"fontname", "Tahoma"}, {"fontsize", 9.75}, {"dropshadow", true}},
         {"backcolor", "forecolor", "list", "symbolcolor"},
         plus(plus(Keys{"ForeColor", "List", "SymbolColor", "SymbolOverColor", "DropShadow", "ListBackColor",
                        "ListForeColor"}, edge), font)},
        {make<elprogress>,
         {{"forecolor", 0xFFu}, {"max", 11}, {"value", 3}, {"color3ddark", 0x222E28u}},
         {"forecolor", "max", "value", "color3ddark"},
         plus(Keys{"ForeColor", "Min", "Max", "Value"}, edge)},
    };
    for (const auto& c : cases) {
        SkinnedControl* control = c.make(&host, {});
        SCOPED_TRACE(control->metaObject()->className());
        auto changed = record(control, &SkinnedControl::property_changed);
        control->read_properties(c.definition);
        EXPECT_TRUE(changed->empty()) << "the definition already holds what it reads";
        Settings saved;
        control->write_properties(saved);
        EXPECT_EQ(keys_of(saved), c.written);
        SkinnedControl* copy = c.make(&host, saved);
        for (const std::string& key : c.written) EXPECT_EQ(copy->property_value(key), control->property_value(key)) << key;
        Keys notified;
        QObject::connect(copy, &SkinnedControl::property_changed, [&](const QString& key) { notified.push_back(key.toStdString()); });
        for (const std::string& key : c.keys) EXPECT_TRUE(copy->set_property(upper(key), 1)) << key;
        EXPECT_FALSE(copy->set_property("NoSuchKey", 1));
        copy->set_BackColor(2);  // a setter a host calls reports the key its declaration gives it
        EXPECT_EQ(notified, plus(c.keys, Keys{"BackColor"}));
    }
    elboton button(&host);
    auto reported = record(&button, &SkinnedControl::property_changed);
    button.set_Font(QFont());
    button.set_CenterCaption(true);
    EXPECT_EQ(*reported, (std::vector<std::tuple<QString>>{{"Font"}, {"CenterCaption"}}));
    Settings placed;  // a frame as newly placed, before it reads any settings
    elframe(&host).write_properties(placed);
    EXPECT_EQ(keys_of(placed), (Keys{"backcolor", "color3ddark"}));
    EXPECT_EQ(placed.read("color3ddark").as_int(), 0x222E28);
}

TEST_F(Skinned, EachControlKeepsItsHeightAndLowestWidthHoweverItIsResized) {
    const struct {
        SkinnedControl* (*make)(QWidget*, const Settings&);
        double width, height, kept_width, kept_height;  // twips
    } cases[] = {{make<elboton>, 100, 1000, 500, 360},
                 {make<elcombo>, 1000, 600, 1425, 300},
                 {make<elprogress>, 100, 100, 360, 360},
                 {make<elframe>, 30, 45, 30, 45}};
    for (const auto& c : cases) {
        SkinnedControl* control = c.make(&host, {});
        control->set_size_twips(c.width, c.height);
        EXPECT_EQ(control->size_twips().width, c.kept_width) << control->metaObject()->className();
        EXPECT_EQ(control->size_twips().height, c.kept_height) << control->metaObject()->className();
    }
    auto* button = make<elboton>(&host, {});
    host.show();
    button->resize(10, 50);  // resized by the window in pixels
    QApplication::processEvents();
    EXPECT_EQ(button->size(), QSize(33, 24));
    EXPECT_EQ(colorref_at(shot(*button), 32, 10), dark_shown()) << "right line on the last column";
}

TEST_F(Skinned, A3000By1500TwipFrameHasItsSunkenEdgeOnColumn199AndRow99AndFollowsUnequalRatios) {
    elframe frame;
    frame.read_properties(Settings{{"backcolor", 0x646464u}, {"color3dlight", 0x222E28u}, {"color3ddark", 0xB2B2B2u}});
    for (auto [ratio_x, ratio_y, width, height] : {std::tuple{15.0, 15.0, 200, 100}, {12.0, 20.0, 250, 75}}) {
        ScopedTwipsPerPixel ratio({ratio_x, ratio_y});
        frame.set_size_twips(3000, 1500);
        const QImage image = shot(frame);
        ASSERT_EQ(image.size(), QSize(width, height));
        expect_edge(image, 0xB2B2B2, 0x222E28);  // on the last column and row
        EXPECT_EQ(colorref_at(image, 0, height - 1), 0x222E28u) << "the bottom line covers the corner it shares";
        EXPECT_EQ(colorref_at(image, width - 1, 0), 0x222E28u) << "the right line covers the corner it shares";
        EXPECT_EQ(colorref_at(image, width - 2, height - 2), 0x646464u) << "fill next to the edge";
    }
}

TEST_F(Skinned, AFrameClipsWhatIsPlacedInItKeepsItsEdgeAboveAndRaisesDblClickInPlaceOfASecondClick) {
    elframe frame;
    frame.read_properties(Settings{{"backcolor", 0u}, {"color3dlight", 0xB2B2B2u}, {"color3ddark", 0x222E28u}});
    frame.set_geometry_pixels(0, 0, 100, 80);
    auto* picture = new QLabel(&frame);  // bigger than the frame, as the preview is
    picture->setAutoFillBackground(true);
    set_widget_color(*picture, QPalette::Window, 0xFF0000);
    picture->setGeometry(1, 1, 1024, 1024);
    const QImage image = shot(frame);
    ASSERT_EQ(image.size(), QSize(100, 80));
    EXPECT_EQ(colorref_at(image, 50, 40), 0xFF0000u) << "the picture (blue)";
    expect_edge(image, 0x222E28, 0xB2B2B2);
    auto clicks = record(&frame, &SkinnedControl::Click);
    auto doubles = record(&frame, &SkinnedControl::DblClick);
    click(&frame, QPointF(31, 41));
    send_mouse(&frame, QEvent::MouseButtonDblClick, Qt::LeftButton, QPointF(31, 41));
    send_mouse(&frame, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(31, 41));
    EXPECT_EQ(doubles->size(), 1u);
    EXPECT_EQ(clicks->size(), 1u);
}

TEST_F(Skinned, TheButtonShowsThePictureInsideItsEdgeAtOpacities0And128And255AndRefusesOthers) {
    Image32 picture;  // pixel (x, y) is red 200, green x, blue y
    picture.reset(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) picture.set_pixel(x, y, Bgra{uint8_t(y), uint8_t(x), 200, 255});
    // What opacity `a` shows at (x, y): each channel rounded to the nearest value between fill and picture.
    auto mix = [&](int x, int y, int a) {
        const uint32_t source = colorref_from_bgra(picture.pixel(x, y)), back = 0x646464;
        uint32_t out = 0;
        for (int shift : {0, 8, 16})
            out |= ((source >> shift & 0xFF) * a + (back >> shift & 0xFF) * (255 - a) + 127) / 255 << shift;
        return out;
    };
    elboton b;
    b.read_properties(Settings{{"backcolor", 0x646464u}, {"caption", ""}});
    b.set_geometry_pixels(0, 0, 117, 24);
    for (int a : {0, 128, 255}) {
        ASSERT_TRUE(b.obtener_imagen_fondo(picture, 10, 20, int16_t(a)).ok);
        const QImage image = shot(b);
        // Pixel (x, y) of the control shows the picture's (10 + x - 1, 20 + y - 1): the blend starts at (1, 1).
        EXPECT_EQ(colorref_at(image, 1, 1), mix(10, 20, a)) << "opacity " << a;
        EXPECT_EQ(colorref_at(image, 115, 22), mix(124, 41, a)) << "opacity " << a;
        expect_edge(image, 0x95AAA0, dark_shown());
    }
    const Image32 before = b.surface();
    EXPECT_FALSE(b.obtener_imagen_fondo(picture, 0, 0, 300).ok);
    EXPECT_EQ(b.surface().bytes, before.bytes) << "an opacity outside 0..255 leaves the surface as it was";
    for (int x : {200, -1, std::numeric_limits<int>::max()}) {
        ASSERT_TRUE(b.obtener_imagen_fondo(picture, x, 0, 255).ok);
        EXPECT_EQ(colorref_at(shot(b), 60, 12), 0x646464u) << "a region past the picture, x " << x;
    }
}

}  // namespace
}  // namespace morvane::controls
