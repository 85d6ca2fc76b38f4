#include "app/main_window.h"

#include "app/build_notice.h"
#include "app/core/utf8_path.h"
#include "app/form_fx.h"
#include "app/labels.h"
#include "app/picture_drop.h"
#include "app/picture_view.h"
#include "app/process_window.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/qt_text.h"
#include "controls/symbol_label.h"
#include "platform/system/message_box.h"
#include "platform/qt/pictures/picture_loader.h"
#include "platform/qt/screen_metrics.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QSessionManager>
#include <QShowEvent>
#include <QTimer>

#include <optional>
#include <utility>

namespace morvane::app {

// The resolution list is elcombo1 itself: its Click reaches the logic through the window's connection.
class main::List : public ResolutionList {
public:
    explicit List(controls::elcombo& combo) : combo_(combo) {}
    void AddItem(const std::string& item) override { combo_.AddItem(QString::fromStdString(item)); }
    void SetListIndex(int16_t index) override { combo_.SetListIndex(index); }
    int16_t GetListIndex() const override { return combo_.GetListIndex(); }

private:
    controls::elcombo& combo_;
};

main::main(QtMainServices services)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), services_(std::move(services)) {
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    MainServices logic{.program_folder = services_.program_folder,
                       .dialog = services_.dialog,
                       .messages = services_.messages,
                       .fx = &services_.fx->effects(),
                       .texture = services_.texture,
                       .yield = services_.yield,
                       .write_vmt = services_.write_vmt,
                       .find_games = services_.find_games,
                       .load_picture = [](const std::filesystem::path& file) { return morvane::load_picture(file); },
                       .end_program = [this](int exit_code) {
                           if (services_.process) services_.process->unload();
                           hide();
                           if (services_.end_program) services_.end_program(exit_code);
                       }};
    form_ = std::make_unique<MainForm>(std::move(logic), twips_per_pixel(), controls::font_spec(font()));
    controls_ = build_form(*this, main_form_definition(),
                           {{"Picture1", &form_->Picture1()}, {"Picture2", &form_->Picture2()},
                            {"Source_Buffer", &form_->Source_Buffer()}, {"Temp_Buffer", &form_->Temp_Buffer()}});
    resolution_list_ = controls_.get<controls::elcombo>("elcombo1");
    load_button_ = controls_.get<controls::elboton>("elboton1");
    build_button_ = controls_.get<controls::elboton>("elboton2");
    scaled_picture_view_ = controls_.get<PictureView>("Picture2");
    title_ = controls_.get<TextLabel>("Label1");
    close_glyph_ = controls_.get<controls::SymbolLabel>("Label2");
    notice_ = new BuildNotice(*controls_.get<TextLabel>("Label4"));
    notice_->set_on_hidden([this] { form_->hide_notice(); });
    list_ = std::make_unique<List>(*resolution_list_);
    connect_controls();
    set_keyboard_order();
    setAcceptDrops(true);
    // A session that ends mid-build waits for it where the session manager lets it, as a close does.
    if (qGuiApp != nullptr)
        QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& session) {
            if (!building()) return;
            end_program(0);
            if (session.allowsInteraction()) {
                session.cancel();
                session.release();
            }
        });
    form_->Form_Load(*this);
}

main::~main() = default;

void main::connect_controls() {
    QObject::connect(resolution_list_, &controls::elcombo::Click, this, [this] { form_->resolution_clicked(); });
    QObject::connect(load_button_, &controls::elboton::Click, this, [this] { load_picture(); });
    QObject::connect(build_button_, &controls::elboton::Click, this, [this] { make_background(); });
    QObject::connect(close_glyph_, &controls::SymbolLabel::Click, this, [this] { end_program(0); });
    // The title line drags the window, the grab point measured from the window's corner.
    QObject::connect(title_, &TextLabel::mouse_down, this, [this](QPointF at) {
        const QPoint grab = title_->mapTo(this, at).toPoint();
        form_->title_pressed(grab.x(), grab.y());
    });
    QObject::connect(title_, &TextLabel::mouse_move, this, [this](QPointF) { form_->title_moved(); });
    QObject::connect(title_, &TextLabel::mouse_up, this, [this](QPointF) { form_->title_released(); });
}

void main::set_keyboard_order() {
    // Tab and Shift+Tab go round the focusable controls in the order of the layout's rows, which is the order
    // a player reads them in: the resolution list, "Make Background", "Load Picture", then the close glyph
    // (a row of the title line, so first in the layout) round to the list again. The window starts on the list.
    close_glyph_->setFocusPolicy(Qt::TabFocus);  // a click on it ends the program; it needs no focus for that
    resolution_list_->list_control()->setFocus(Qt::OtherFocusReason);
    resolution_list_->set_accessible_caption(QStringLiteral("Resolution"));
}

// --- what the logic asks of the window -------------------------------------------------------------------

WindowShell& main::shell() { return services_.fx->shell(*this); }

ResolutionList& main::resolution_list() { return *list_; }

void main::picture_changed() {
    if (scaled_picture_view_) scaled_picture_view_->refresh();
}

void main::controls_changed() {
    const LiveControl* said = form_->controls().find("Label4");
    if (said == nullptr || !said->visible) {
        notice_->hide();
        return;
    }
    const QString text = QString::fromStdString(said->label.caption);
    if (!notice_->shown() || notice_->said() != text) notice_->show_text(text);
}

void main::set_input_enabled(bool on) {
    if (!on) {
        focused_before_build_ = focusWidget();  // taking input away takes the focus too
        setEnabled(false);
        return;
    }
    setEnabled(true);
    if (focused_before_build_ && focused_before_build_->window() == this)
        focused_before_build_->setFocus(Qt::OtherFocusReason);
    focused_before_build_ = nullptr;
}

ProgressView& main::open_progress() {
    process& progress_window = services_.process->get();
    progress_window.move(geometry().center() - progress_window.rect().center());
    progress_window.show();
    return progress_window;
}

void main::close_progress() { services_.process->unload(); }

// --- Qt's events -----------------------------------------------------------------------------------------

bool main::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) Form_Activate();
    return QWidget::event(event);
}

void main::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Where the window system activates nothing on its own (no window manager), start up all the same.
    QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void main::closeEvent(QCloseEvent* event) {
    // A close request from the window system ends the program like the close glyph; mid-build, once the build
    // has written its files (the logic says so in the window).
    event->ignore();
    end_program(0);
}

void main::dragEnterEvent(QDragEnterEvent* event) {
    if (!building() && !ended() && dropped_picture(event->mimeData())) event->acceptProposedAction();
}

void main::dropEvent(QDropEvent* event) {
    if (building() || ended()) return;
    const std::optional<std::filesystem::path> picture = dropped_picture(event->mimeData());
    if (!picture) return;
    event->acceptProposedAction();
    load_picture_file(utf8_from_path(*picture));
}

}  // namespace morvane::app
