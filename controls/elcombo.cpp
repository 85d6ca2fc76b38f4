#include "controls/elcombo.h"

#include "controls/focus_cue.h"
#include "controls/qt_text.h"
#include "platform/qt/system_colors.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace morvane::controls {

namespace {

constexpr int kListTop = -3;        // pixels: the top three rows lie outside the control
constexpr int kMinListHeight = 21;  // pixels: down to row 17, where the list's face ends

// The system's list control, which keeps its keys, its drop-down list and its accessibility, but paints
// nothing: the control beneath shows its closed look.
class ListControl final : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent*) override {}
};

QString css(uint32_t color) { return to_qcolor(color).name(); }

}  // namespace

elcombo::elcombo(QWidget* parent)
    : FaceControl(parent, TwipsSize{1440, 285}, ComboFace{}, combo_properties()) {
    face_.font = host_font();
    list_control_ = new ListControl(this);
    list_control_->setAttribute(Qt::WA_NoSystemBackground);
    list_control_->setAutoFillBackground(false);
    list_control_->setFont(qt_font(face_.font));
    list_control_->setFocusPolicy(Qt::StrongFocus);
    list_control_->installEventFilter(this);
    setFocusProxy(list_control_);
    connect(list_control_, &QComboBox::currentIndexChanged, this, [this](int index) {
        // The user's choice in the drop-down list or by key.
        if (list_.SetListIndex(int16_t(index))) {
            repaint_face();
            emit Click();
        }
    });
    restyle_list();
    finish_construction();
}

QRect elcombo::symbol_box_geometry() const { return QRect(symbol_box_left(size_twips().width, ratios()), -1, 20, 18); }
QRect elcombo::list_geometry() const { return list_control_->geometry(); }

// --- the list --------------------------------------------------------------------------------------------

void elcombo::mirror_list() {
    const QSignalBlocker quiet(list_control_);
    list_control_->clear();
    for (const std::string& entry : list_.entries()) list_control_->addItem(QString::fromStdString(entry));
    list_control_->setCurrentIndex(list_.GetListIndex());
    repaint_face();
}

void elcombo::Clear() {
    list_.Clear();
    mirror_list();
}

void elcombo::AddItem(const QString& item) {
    list_.AddItem(item.toStdString());
    mirror_list();
}

void elcombo::RemoveItem(int16_t index) {
    list_.RemoveItem(index);
    mirror_list();
}

void elcombo::SetListIndex(int16_t index) {
    if (!list_.SetListIndex(index)) return;
    mirror_list();
    emit Click();
}

void elcombo::SetList(int16_t index, const QString& item) {
    list_.SetList(index, item.toStdString());
    mirror_list();
}

// --- properties ------------------------------------------------------------------------------------------

QFont elcombo::Font() const { return qt_font(face_.font); }

void elcombo::set_Font(const QFont& font) { set_font_keys(font); }

void elcombo::property_set(const std::string& key) {
    if (key.rfind("Font", 0) == 0) list_control_->setFont(qt_font(face_.font));
    restyle_list();
}

void elcombo::restyle_list() {
    // The drop-down list's colours; the closed face is the control's own.
    const QString back = css(kComboListBack), fore = css(face_.fore), light = css(face_.light);
    list_control_->view()->setStyleSheet(
        QStringLiteral("QAbstractItemView { background-color: %1; color: %2; border: 1px solid %3;"
                       " selection-background-color: %3; selection-color: %1; outline: 0px; }")
            .arg(back, fore, light));
}

void elcombo::paint_face(Image32& surface, const BackgroundBlend* blend) const {
    ComboFace shown = face_;
    for (uint32_t* c : {&shown.back, &shown.fore, &shown.light, &shown.dark, &shown.symbol, &shown.symbol_over})
        *c = resolve_color(*c);
    paint_combo(surface, shown, list_.shown_text(), ComboState{focus_mark_shown()}, size_twips().width,
                ratios(), qt_text(), blend);
}

// --- layout ----------------------------------------------------------------------------------------------

void elcombo::layout_content() {
    if (list_control_ == nullptr) return;
    const int height = std::max(list_control_->sizeHint().height(), kMinListHeight);
    list_control_->setGeometry(-1, kListTop, width(), height);
}

void elcombo::set_accessible_caption(const QString& caption) {
    setAccessibleName(caption);
    list_control_->setAccessibleName(caption);
}

bool elcombo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_control_) {
        if (event->type() == QEvent::KeyPress) note_keyboard_use(*this);
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            repaint_face();
    }
    return SkinnedControl::eventFilter(watched, event);
}

void elcombo::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled()) list_control_->showPopup();
}

}  // namespace morvane::controls
