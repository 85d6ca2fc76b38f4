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

using Keys = std::vector<std::string>;

Keys plus(Keys a, const Keys& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Each control with a stored definition, what it writes back of it, and every key it takes, as callers and
// stored definitions spell it.
struct StoredControl {
    SkinnedControl* (*make)(QWidget*, const Settings&);
    Settings definition;
    Keys written;
    Keys keys;
};

const std::vector<StoredControl>& stored_controls() {
    static const Keys edge{"BackColor", "Enabled", "Color3DLight", "Color3DDark"};
    static const Keys font{"FontName", "FontSize", "FontBold", "FontItalic", "FontUnderline"};
    static const std::vector<StoredControl> cases = {
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
    return cases;
}

TEST_F(Skinned, ReadingAStoredDefinitionRaisesNoChangeNotice) {
    for (const StoredControl& c : stored_controls()) {
        SkinnedControl* control = c.make(&host, {});
        auto changed = record(control, &SkinnedControl::property_changed);
        control->read_properties(c.definition);
        EXPECT_TRUE(changed->empty()) << control->metaObject()->className();
    }
}

TEST_F(Skinned, EachControlWritesBackOnlyWhatDiffersFromItsDefaultsUnderTheKeysItReadThemFrom) {
    for (const StoredControl& c : stored_controls()) {
        SkinnedControl* control = c.make(&host, c.definition);
        Settings saved;
        control->write_properties(saved);
        EXPECT_EQ(keys_of(saved), c.written) << control->metaObject()->className();
    }
}

TEST_F(Skinned, AControlMadeFromWhatAnotherWroteHasTheSameProperties) {
    for (const StoredControl& c : stored_controls()) {
        SkinnedControl* control = c.make(&host, c.definition);
        SCOPED_TRACE(control->metaObject()->className());
        Settings saved;
        control->write_properties(saved);
        SkinnedControl* copy = c.make(&host, saved);
        for (const std::string& key : c.written) EXPECT_EQ(copy->property_value(key), control->property_value(key)) << key;
    }
}

TEST_F(Skinned, SettingAnyKeyInCapitalsNotifiesTheHostOnceUnderTheKeysOwnSpelling) {
    for (const StoredControl& c : stored_controls()) {
        SkinnedControl* control = c.make(&host, {});
        SCOPED_TRACE(control->metaObject()->className());
        Keys notified;
        QObject::connect(control, &SkinnedControl::property_changed,
                         [&](const QString& key) { notified.push_back(key.toStdString()); });
        for (const std::string& key : c.keys) EXPECT_TRUE(control->set_property(upper(key), 1)) << key;
        EXPECT_EQ(notified, c.keys);
    }
}

TEST_F(Skinned, ASetterAHostCallsNotifiesTheKeyItsPropertyIsStoredUnder) {
    elboton button(&host);
    auto reported = record(&button, &SkinnedControl::property_changed);
    button.set_BackColor(2);
    button.set_Font(QFont());
    button.set_CenterCaption(true);
    EXPECT_EQ(*reported, (std::vector<std::tuple<QString>>{{"BackColor"}, {"Font"}, {"CenterCaption"}}));
}

TEST_F(Skinned, ANewlyPlacedFrameStoresItsBackColorAndItsDarkEdge0x222E28) {
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
}

TEST_F(Skinned, AButtonTheWindowResizesInPixelsKeepsItsSizeRuleAndDrawsItsRightLineOnItsLastColumn) {
    auto* button = make<elboton>(&host, {});
    host.show();
    button->resize(10, 50);  // resized by the window in pixels
    QApplication::processEvents();
    EXPECT_EQ(button->size(), QSize(33, 24));
    EXPECT_EQ(colorref_at(shot(*button), 32, 10), dark_shown()) << "right line on the last column";
}

TEST_F(Skinned, AFrameClipsWhatIsPlacedInItAndKeepsItsEdgeAboveIt) {
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
}

TEST_F(Skinned, ADoubleClickRaisesDblClickInPlaceOfASecondClick) {
    elframe frame;
    frame.set_geometry_pixels(0, 0, 100, 80);
    auto clicks = record(&frame, &SkinnedControl::Click);
    auto doubles = record(&frame, &SkinnedControl::DblClick);
    click(&frame, QPointF(31, 41));
    send_mouse(&frame, QEvent::MouseButtonDblClick, Qt::LeftButton, QPointF(31, 41));
    send_mouse(&frame, QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(31, 41));
    EXPECT_EQ(doubles->size(), 1u);
    EXPECT_EQ(clicks->size(), 1u);
}

// Pixel (x, y) is red 200, green x, blue y.
Image32 ramp_picture() {
    Image32 picture;
    picture.reset(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) picture.set_pixel(x, y, Bgra{uint8_t(y), uint8_t(x), 200, 255});
    return picture;
}

class BlendedButton : public Skinned {
protected:
    BlendedButton() {
        b.read_properties(Settings{{"backcolor", 0x646464u}, {"caption", ""}});
        b.set_geometry_pixels(0, 0, 117, 24);
    }
    const Image32 picture = ramp_picture();
    elboton b;
};

// Each channel is (picture * a + fill * (255 - a)) / 255 rounded to the nearest, the fill being 0x64: at
// (1, 1) the picture's (10, 20) is red 200, green 10, blue 20; at (115, 22) its (124, 41), red 200, green
// 124, blue 41.
TEST_F(BlendedButton, ShowsThePictureFrom10By20InsideItsEdgeAtOpacities0And128And255) {
    const struct {
        int opacity;
        uint32_t at_1_1, at_115_22;
    } cases[] = {{0, 0x646464, 0x646464}, {128, 0x3C3796, 0x467096}, {255, 0x140AC8, 0x297CC8}};
    for (const auto& c : cases) {
        ASSERT_TRUE(b.obtener_imagen_fondo(picture, 10, 20, int16_t(c.opacity)).ok);
        const QImage image = shot(b);
        EXPECT_EQ(colorref_at(image, 1, 1), c.at_1_1) << "opacity " << c.opacity;
        EXPECT_EQ(colorref_at(image, 115, 22), c.at_115_22) << "opacity " << c.opacity;
        expect_edge(image, 0x95AAA0, dark_shown());
    }
}

TEST_F(BlendedButton, AnOpacityOutside0To255IsRefusedAndLeavesTheSurfaceAsItWas) {
    const Image32 before = b.surface();
    EXPECT_FALSE(b.obtener_imagen_fondo(picture, 0, 0, 300).ok);
    EXPECT_EQ(b.surface().bytes, before.bytes);
}

TEST_F(BlendedButton, ARegionPastThePictureLeavesTheFill) {
    for (int x : {200, -1, std::numeric_limits<int>::max()}) {
        ASSERT_TRUE(b.obtener_imagen_fondo(picture, x, 0, 255).ok);
        EXPECT_EQ(colorref_at(shot(b), 60, 12), 0x646464u) << "x " << x;
    }
}

}  // namespace
}  // namespace morvane::controls
