// morvane-gallery: every skinned control in its states, laid out as the program's windows use them.
//   morvane-gallery                 shows the gallery in a window
//   morvane-gallery --save FILE     saves it as a PNG, with FILE-x3.png (enlarged three times) and
//                                   FILE-list.png (a combo box's open drop-down list, enlarged) beside it
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/elprogress.h"
#include "controls/symbol_label.h"
#include "platform/qt/symbol_font.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QRegularExpression>

#include <cstdio>

using namespace morvane;
using namespace morvane::controls;

namespace {

constexpr uint32_t kWindowBack = 0x646464;

void caption(QWidget* page, int x, int y, const QString& text) {
    auto* label = new QLabel(text, page);
    label->setFont(program_font(QStringLiteral("Tahoma"), 8.25));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    label->move(x, y);
}

elboton* button(QWidget* page, int x, int y, const QString& text, bool centred) {
    auto* b = new elboton(page);
    b->read_properties(Settings{{"caption", text.toStdString()}, {"centercaption", centred}, {"backcolor", kWindowBack},
                                   {"fontname", "Tahoma"}, {"fontsize", 9.75}});
    b->set_geometry_pixels(x, y, 117, 24);
    return b;
}

void press(QWidget* target, Qt::MouseButton which) {
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(10, 10), target->mapToGlobal(QPointF(10, 10)), which, which,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &down);
}

elcombo* resolution_combo(QWidget* page, int x, int y, int selected) {
    auto* c = new elcombo(page);
    c->read_properties(Settings{{"forecolor", 0xFFFFFFu}, {"backcolor", 0u}, {"color3dlight", 0x809188u},
                                   {"color3ddark", 0x222E28u}, {"fontname", "Tahoma"}, {"fontsize", 9.75}});
    c->set_geometry_pixels(x, y, 185, 20);
    c->AddItem(QStringLiteral("1024 x 1024"));
    c->AddItem(QStringLiteral("2048 x 2048"));
    c->SetListIndex(int16_t(selected));
    return c;
}

elprogress* bar(QWidget* page, int x, int y, int max, int value) {
    auto* p = new elprogress(page);
    p->read_properties(Settings{{"color3ddark", 0x222E28u}});
    p->set_geometry_pixels(x, y, 296, 24);
    p->set_Max(max);
    p->set_Value(value);
    return p;
}

elcombo* g_open_list = nullptr;  // the combo whose drop-down list is also saved

QWidget* build_page() {
    auto* page = new QWidget;
    page->setFont(program_font(QStringLiteral("Tahoma"), 8.25));
    page->setAutoFillBackground(true);
    QPalette palette = page->palette();
    palette.setColor(QPalette::Window, QColor(0x64, 0x64, 0x64));
    page->setPalette(palette);
    page->resize(660, 440);

    caption(page, 10, 8, QStringLiteral("elboton: at rest, centred / pressed, centred / at rest, left / defaults"));
    button(page, 10, 26, QStringLiteral("Make Background"), true);
    press(button(page, 137, 26, QStringLiteral("Make Background"), true), Qt::LeftButton);
    button(page, 264, 26, QStringLiteral("Load Picture"), false);
    auto* plain = new elboton(page);
    plain->move(391, 26);

    caption(page, 10, 62, QStringLiteral("elframe: elframe2 raised with elframe1 sunken inside / defaults / blend 128 / blend 255"));
    auto* outer = new elframe(page);
    outer->read_properties(
        Settings{{"backcolor", 0x646464u}, {"color3dlight", 0x222E28u}, {"color3ddark", 0xB2B2B2u}});
    outer->set_geometry_pixels(10, 80, 200, 120);
    auto* inner = new elframe(outer);
    inner->read_properties(Settings{{"backcolor", 0u}, {"color3dlight", 0xB2B2B2u}, {"color3ddark", 0x222E28u}});
    inner->set_geometry_pixels(9, 8, 180, 103);
    auto* preview = new QLabel(inner);  // a picture bigger than the inner frame, clipped by it
    QPixmap picture(300, 300);
    picture.fill(QColor(0x30, 0x70, 0xA0));
    preview->setPixmap(picture);
    preview->move(1, 1);
    auto* defaults = new elframe(page);
    defaults->read_properties(Settings{});
    defaults->set_geometry_pixels(220, 80, 120, 120);
    auto* blended = new elframe(page);
    blended->read_properties(Settings{});
    blended->set_geometry_pixels(350, 80, 120, 120);
    // The picture behind it: a colour ramp on a surface of its own, blended at half opacity.
    static Image32 ramp;
    ramp.reset(200, 200);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) ramp.set_pixel(x, y, Bgra{uint8_t(255 - y), uint8_t(x), 255, 255});
    (void)blended->obtener_imagen_fondo(ramp, 0, 0, 128);  // both opacities are in range
    auto* opaque = new elframe(page);
    opaque->read_properties(Settings{});
    opaque->set_geometry_pixels(480, 80, 120, 120);
    (void)opaque->obtener_imagen_fondo(ramp, 0, 0, 255);

    caption(page, 10, 210, QStringLiteral("elcombo: resolution list (entry 0 / entry 1) / defaults, no entries"));
    resolution_combo(page, 10, 228, 0);
    g_open_list = resolution_combo(page, 205, 228, 1);
    auto* combo_defaults = new elcombo(page);
    combo_defaults->move(400, 228);

    caption(page, 10, 262, QStringLiteral("elprogress 296 x 24, Max 11: Value 0, 1, 6, 11 / Max 12 Value 3"));
    bar(page, 10, 280, 11, 0);
    bar(page, 10, 310, 11, 1);
    bar(page, 10, 340, 11, 6);
    bar(page, 10, 370, 11, 11);
    bar(page, 320, 280, 12, 3);

    caption(page, 320, 312, QStringLiteral("close glyph (11 x 14, 0xE0E0E0):"));
    auto* close = new SymbolLabel(SymbolGlyph::Close, page);
    close->set_color(0xE0E0E0);
    close->setGeometry(540, 312, 11, 14);
    return page;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget* page = build_page();
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--save")) {
        page->show();
        QApplication::processEvents();
        const QPixmap shot = page->grab();
        const QString path = QString::fromLocal8Bit(argv[2]);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QString big = path;
        big.replace(QRegularExpression(QStringLiteral("\\.png$")), QStringLiteral("-x3.png"));
        bool ok = shot.save(path) && shot.scaled(shot.size() * 3, Qt::IgnoreAspectRatio,
                                                 Qt::FastTransformation).save(big);
        // The drop-down list of the second combo box, as a picture of its own.
        g_open_list->list_control()->showPopup();
        QApplication::processEvents();
        QString list_path = path;
        list_path.replace(QRegularExpression(QStringLiteral("\\.png$")), QStringLiteral("-list.png"));
        const QPixmap list = g_open_list->list_control()->view()->window()->grab();
        ok = ok && list.scaled(list.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(list_path);
        if (!ok) std::fprintf(stderr, "morvane-gallery: could not write %s; check that its folder is writable\n", argv[2]);
        delete page;
        return ok ? 0 : 1;
    }
    page->show();
    const int rc = app.exec();
    delete page;
    return rc;
}
