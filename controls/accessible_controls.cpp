#include "controls/accessible_controls.h"

#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/elprogress.h"
#include "controls/symbol_label.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <functional>

namespace morvane::controls {

namespace {

// A button whose name is its caption (or the name its host gave it) and whose press action is a click.
class AccessibleButton : public QAccessibleWidget {
public:
    AccessibleButton(QWidget* widget, std::function<QString()> caption, std::function<void()> press)
        : QAccessibleWidget(widget, QAccessible::Button), caption_(std::move(caption)), press_(std::move(press)) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return caption_();  // as shown now
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override {
        if (action == pressAction() && widget()->isEnabled())
            press_();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    std::function<QString()> caption_;
    std::function<void()> press_;
};

class AccessibleProgress : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleProgress(elprogress* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar), bar_(bar) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                : QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Value) return QAccessibleWidget::text(t);
        const int max = bar_->Max();
        return max > 0 ? QStringLiteral("%1%").arg(int64_t(bar_->Value()) * 100 / max) : QString();
    }
    QVariant currentValue() const override { return bar_->Value(); }
    void setCurrentValue(const QVariant&) override {}  // the build moves the bar, nobody else
    QVariant maximumValue() const override { return bar_->Max(); }
    QVariant minimumValue() const override { return bar_->Min(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    elprogress* bar_;
};

}  // namespace

QAccessibleInterface* accessible_control(const QString&, QObject* object) {
    if (auto* button = qobject_cast<elboton*>(object))
        return new AccessibleButton(button, [button] { return button->Caption(); }, [button] { button->press(); });
    if (auto* glyph = qobject_cast<SymbolLabel*>(object)) {
        if (glyph->glyph() == SymbolGlyph::Close)
            return new AccessibleButton(glyph, [] { return QStringLiteral("Close"); }, [glyph] { emit glyph->Click(); });
        return new QAccessibleWidget(glyph, QAccessible::Graphic);  // the combo box's triangle
    }
    if (auto* bar = qobject_cast<elprogress*>(object)) return new AccessibleProgress(bar);
    if (auto* frame = qobject_cast<elframe*>(object)) return new QAccessibleWidget(frame, QAccessible::Grouping);
    if (auto* combo = qobject_cast<elcombo*>(object)) return new QAccessibleWidget(combo, QAccessible::Grouping);
    return nullptr;
}

void install_accessible_controls() {
    [[maybe_unused]] static const bool once = [] {
        QAccessible::installFactory(accessible_control);
        return true;
    }();
}

}  // namespace morvane::controls
