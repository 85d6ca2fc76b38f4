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
    backing_box_ = plain_box(this, kSystemWindow);
    backing_box_->setGeometry(1, 1, 96, 17);

    symbol_box_ = plain_box(this, kListBackColor);
    symbol_box_->setEnabled(false);
    symbol_box_->setAttribute(Qt::WA_TransparentForMouseEvents);  // a press reaches the list control beneath
    triangle_ = new SymbolLabel(SymbolGlyph::DownTriangle, symbol_box_);
    triangle_->setGeometry(1, 2, 18, 15);
    triangle_->setEnabled(false);
    triangle_->setAttribute(Qt::WA_TransparentForMouseEvents);
    triangle_->set_color(symbol_color_);

    list_control_ = new QComboBox(this);
    list_control_->setFont(host_font());
    list_control_->setFocusPolicy(Qt::StrongFocus);
    list_control_->installEventFilter(this);
    setFocusProxy(list_control_);
    // The symbol box covers the list control's own drop button; the triangle shows there.
    symbol_box_->raise();
    connect(list_control_, &QComboBox::currentIndexChanged, this, [this](int) { emit Click(); });

    restyle_list();
    finish_construction();
}

const PropertyTable& elcombo::properties() const {
    using K = PropertyKind;
    using C = elcombo;
    static const PropertyTable table = [] {
        PropertyTable t = {
            back_color_property(0x37463E),
            declare<C, uint32_t>("ForeColor", K::Color, 0xD3DED8, &C::ForeColor, &C::set_ForeColor),
            enabled_property(),
            declare<C, QString, const QString&>("List", K::Text, QString(), &C::list_field, &C::set_list_field),
            light_color_property(),
            dark_color_property(),
            declare<C, uint32_t>("SymbolColor", K::Color, 0x95AAA0, &C::SymbolColor, &C::set_SymbolColor),
            declare<C, uint32_t>("SymbolOverColor", K::Color, 0x95AAA0, &C::SymbolOverColor,
                                 &C::set_SymbolOverColor),
        };
        for (PropertyDecl& font : declare_font<C>(&C::Font, &C::set_Font)) t.push_back(std::move(font));
        t.push_back(declare_inert("DropShadow", K::Boolean, false));
        t.push_back(declare_inert("ListBackColor", K::Color, 0u));
        t.push_back(declare_inert("ListForeColor", K::Color, 0u));
        return t;
    }();
    return table;
}

// --- hover -----------------------------------------------------------------------------------------------

void elcombo::set_over_state() {
    if (triangle_->color() != symbol_over_color_) triangle_->set_color(symbol_over_color_);
}

void elcombo::set_normal_state() {
    if (triangle_->color() != symbol_color_) triangle_->set_color(symbol_color_);
}

uint32_t elcombo::triangle_color() const { return triangle_->color(); }
QRect elcombo::symbol_box_geometry() const { return symbol_box_->geometry(); }
QRect elcombo::list_geometry() const { return list_control_->geometry(); }

// --- the list --------------------------------------------------------------------------------------------

void elcombo::Clear() {
    const QSignalBlocker quiet(list_control_);
    list_control_->clear();
    list_control_->setCurrentIndex(-1);
}

void elcombo::AddItem(const QString& item) {
    // The list control would select the first entry by itself; here only SetListIndex or the user select.
    const QSignalBlocker quiet(list_control_);
    const int selected = list_control_->currentIndex();
    list_control_->addItem(item);
    list_control_->setCurrentIndex(selected);
}

void elcombo::RemoveItem(int16_t index) {
    if (index < 0 || index >= list_control_->count()) return;
    const QSignalBlocker quiet(list_control_);
    const int selected = list_control_->currentIndex();
    list_control_->removeItem(index);
    // Removing the selected entry leaves nothing selected; entries after a removed one move up.
    list_control_->setCurrentIndex(selected == index ? -1 : selected > index ? selected - 1 : selected);
}

void elcombo::SetListIndex(int16_t index) {
    if (index < 0 || index >= list_control_->count()) return;
    list_control_->setCurrentIndex(index);  // raises Click when the selection changes
}

int16_t elcombo::GetListIndex() const { return int16_t(list_control_->currentIndex()); }
int16_t elcombo::ListCount() const { return int16_t(std::min(list_control_->count(), 32767)); }

void elcombo::SetList(int16_t index, const QString& item) {
    if (index < 0 || index >= list_control_->count()) return;
    list_control_->setItemText(index, item);
}

QString elcombo::GetList(int16_t index) const {
    if (index < 0 || index >= list_control_->count()) return {};
    return list_control_->itemText(index);
}

// --- properties ------------------------------------------------------------------------------------------

QFont elcombo::Font() const { return list_control_->font(); }

void elcombo::set_ForeColor(uint32_t color) {
    fore_color_ = color;
    restyle_list();
    changed(&elcombo::set_ForeColor);
}

void elcombo::set_SymbolColor(uint32_t color) {
    triangle_->set_color(color);
    symbol_color_ = color;
    changed(&elcombo::set_SymbolColor);
}

void elcombo::set_SymbolOverColor(uint32_t color) {
    symbol_over_color_ = color;
    changed(&elcombo::set_SymbolOverColor);
}

void elcombo::set_Font(const QFont& font) {
    list_control_->setFont(font);
    fit_list_width();
    changed(&elcombo::set_Font);
}

void elcombo::restyle_list() {
    const QString back = css(kListBackColor), fore = css(fore_color_), light = css(Color3DLight());
    list_control_->setStyleSheet(
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
    list_control_->move(-1, kListTop);
    backing_box_->setGeometry(1, 1, std::max(width() - 2, 0), 17);
    const double symbol_left = (size_twips().width - 280) / twips_per_pixel().x - 2;  // pixels
    symbol_box_->setGeometry(int(std::lround(symbol_left)), -1, 20, 18);
    fit_list_width();
}

void elcombo::fit_list_width() {
    const int height = std::max(list_control_->sizeHint().height(), kMinListHeight);
    list_control_->setGeometry(-1, kListTop, width(), height);
}

void elcombo::set_accessible_caption(const QString& caption) {
    setAccessibleName(caption);
    list_control_->setAccessibleName(caption);
}

QRect elcombo::focus_mark_rect() const {
    // Round the text, inside the edge and left of the symbol box.
    return QRect(QPoint(2, 2), QPoint(symbol_box_->x() - 2, 17));
}

bool elcombo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_control_) {
        if (event->type() == QEvent::KeyPress) note_keyboard_use(*this);
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            update_focus_mark();
    }
    return SkinnedControl::eventFilter(watched, event);
}

void elcombo::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled()) list_control_->showPopup();
}

}  // namespace morvane::controls
