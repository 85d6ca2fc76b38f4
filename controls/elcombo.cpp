#include "controls/elcombo.h"

#include "controls/focus_cue.h"
#include "controls/symbol_label.h"
#include "platform/qt/screen_metrics.h"
#include "platform/qt/system_colors.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace morvane::controls {

namespace {

constexpr uint32_t kListBackColor = 0x37463E;  // the list control's and the symbol box's own background
constexpr int kListTop = -3;                    // pixels: the top three rows lie outside the control
constexpr int kMinListHeight = 21;              // pixels: covers the plain box below it (rows 1..17)

QWidget* plain_box(QWidget* parent, uint32_t color) {
    auto* box = new QWidget(parent);
    box->setAutoFillBackground(true);
    set_widget_color(*box, QPalette::Window, color);
    return box;
}

QString css(uint32_t color) { return to_qcolor(color).name(); }

}  // namespace

elcombo::elcombo(QWidget* parent)
    : SkinnedControl(parent, EdgeLook::Sunken, TwipsSize{1440, 285}, SkinColors{.back = 0x37463E}) {
    picture2_ = plain_box(this, kSystemWindow);
    picture2_->setGeometry(1, 1, 96, 17);

    picture1_ = plain_box(this, kListBackColor);
    picture1_->setEnabled(false);
    picture1_->setAttribute(Qt::WA_TransparentForMouseEvents);  // a press reaches the list control beneath
    label2_ = new SymbolLabel(SymbolGlyph::DownTriangle, picture1_);
    label2_->setGeometry(1, 2, 18, 15);
    label2_->setEnabled(false);
    label2_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label2_->set_color(symbol_color_);

    combo1_ = new QComboBox(this);
    combo1_->setFont(host_font());
    combo1_->setFocusPolicy(Qt::StrongFocus);
    combo1_->installEventFilter(this);
    setFocusProxy(combo1_);
    // The symbol box covers the list control's own drop button; the triangle shows there.
    picture1_->raise();
    connect(combo1_, &QComboBox::currentIndexChanged, this, [this](int) { emit Click(); });

    restyle_list();
    finish_construction();
}

const PropertyTable& elcombo::properties() const {
    using K = PropertyKind;
    using C = elcombo;
    static const PropertyTable table = [] {
        PropertyTable t = {
            back_color_property(0x37463E),
            declare<C, uint32_t>("ForeColor", K::Color, 0xD3DED8, &C::ForeColor, &C::apply_fore_color),
            enabled_property(),
            declare<C, QString, const QString&>("List", K::Text, QString(), &C::list_field, &C::apply_list_field),
            light_color_property(),
            dark_color_property(),
            declare<C, uint32_t>("SymbolColor", K::Color, 0x95AAA0, &C::SymbolColor, &C::apply_symbol_color),
            declare<C, uint32_t>("SymbolOverColor", K::Color, 0x95AAA0, &C::SymbolOverColor,
                                 &C::apply_symbol_over_color),
        };
        for (PropertyDecl& font : declare_font<C>(&C::Font, &C::apply_font)) t.push_back(std::move(font));
        t.push_back(declare_inert("DropShadow", K::Boolean, false));
        t.push_back(declare_inert("ListBackColor", K::Color, 0u));
        t.push_back(declare_inert("ListForeColor", K::Color, 0u));
        return t;
    }();
    return table;
}

// --- hover -----------------------------------------------------------------------------------------------

void elcombo::set_over_state() {
    if (label2_->color() != symbol_over_color_) label2_->set_color(symbol_over_color_);
}

void elcombo::set_normal_state() {
    if (label2_->color() != symbol_color_) label2_->set_color(symbol_color_);
}

uint32_t elcombo::triangle_color() const { return label2_->color(); }
QRect elcombo::symbol_box_geometry() const { return picture1_->geometry(); }
QRect elcombo::list_geometry() const { return combo1_->geometry(); }

// --- the list --------------------------------------------------------------------------------------------

void elcombo::Clear() {
    const QSignalBlocker quiet(combo1_);
    combo1_->clear();
    combo1_->setCurrentIndex(-1);
}

void elcombo::AddItem(const QString& item) {
    // The list control would select the first entry by itself; here only SetListIndex or the user select.
    const QSignalBlocker quiet(combo1_);
    const int selected = combo1_->currentIndex();
    combo1_->addItem(item);
    combo1_->setCurrentIndex(selected);
}

void elcombo::RemoveItem(int16_t donde) {
    if (donde < 0 || donde >= combo1_->count()) return;
    const QSignalBlocker quiet(combo1_);
    const int selected = combo1_->currentIndex();
    combo1_->removeItem(donde);
    // Removing the selected entry leaves nothing selected; entries after a removed one move up.
    combo1_->setCurrentIndex(selected == donde ? -1 : selected > donde ? selected - 1 : selected);
}

void elcombo::SetListIndex(int16_t donde) {
    if (donde < 0 || donde >= combo1_->count()) return;
    combo1_->setCurrentIndex(donde);  // raises Click when the selection changes
}

int16_t elcombo::GetListIndex() const { return int16_t(combo1_->currentIndex()); }
int16_t elcombo::ListCount() const { return int16_t(std::min(combo1_->count(), 32767)); }

void elcombo::SetList(int16_t donde, const QString& item) {
    if (donde < 0 || donde >= combo1_->count()) return;
    combo1_->setItemText(donde, item);
}

QString elcombo::GetList(int16_t donde) const {
    if (donde < 0 || donde >= combo1_->count()) return {};
    return combo1_->itemText(donde);
}

// --- properties ------------------------------------------------------------------------------------------

QFont elcombo::Font() const { return combo1_->font(); }

void elcombo::apply_fore_color(uint32_t color) {
    fore_color_ = color;
    restyle_list();
}

void elcombo::apply_symbol_color(uint32_t color) {
    label2_->set_color(color);
    symbol_color_ = color;
}

void elcombo::apply_font(const QFont& font) {
    combo1_->setFont(font);
    fit_list_width();
}

void elcombo::restyle_list() {
    const QString back = css(kListBackColor), fore = css(fore_color_), light = css(light_color());
    combo1_->setStyleSheet(
        QStringLiteral("QComboBox { background-color: %1; color: %2; border: none; padding: 0px 0px 0px 3px; }"
                       "QComboBox::drop-down { border: none; width: 20px; }"
                       "QComboBox::down-arrow { image: none; }"
                       "QComboBox QAbstractItemView { background-color: %1; color: %2; border: 1px solid %3;"
                       " selection-background-color: %3; selection-color: %1; outline: 0px; }")
            .arg(back, fore, light));
}

// --- layout ----------------------------------------------------------------------------------------------

void elcombo::layout_lines(EdgeLines& lines) {
    // Lines to row 20 of a 20-row control (clipped), the bottom line on row 19 and the right one from row 1.
    place_box_edge(lines, width(), 21);
    lines.right.y1 = 1;
    lines.bottom.y1 = lines.bottom.y2 = 19;
}

void elcombo::layout_content() {
    combo1_->move(-1, kListTop);
    picture2_->setGeometry(1, 1, std::max(width() - 2, 0), 17);
    const double symbol_left = (size_twips().width - 280) / twips_per_pixel().x - 2;  // pixels
    picture1_->setGeometry(int(std::lround(symbol_left)), -1, 20, 18);
    fit_list_width();
}

void elcombo::fit_list_width() {
    const int height = std::max(combo1_->sizeHint().height(), kMinListHeight);
    combo1_->setGeometry(-1, kListTop, width(), height);
}

void elcombo::set_accessible_caption(const QString& caption) {
    setAccessibleName(caption);
    combo1_->setAccessibleName(caption);
}

QRect elcombo::focus_mark_rect() const {
    // Round the text, inside the edge and left of the symbol box.
    return QRect(QPoint(2, 2), QPoint(picture1_->x() - 2, 17));
}

bool elcombo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == combo1_) {
        if (event->type() == QEvent::KeyPress) note_keyboard_use(*this);
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            update_focus_mark();
    }
    return SkinnedControl::eventFilter(watched, event);
}

void elcombo::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled()) combo1_->showPopup();
}

}  // namespace morvane::controls
