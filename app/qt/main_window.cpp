#include "app/qt/main_window.h"

#include "app/core/utf8_path.h"
#include "app/forms/dropped_picture.h"
#include "controls/qt/pixel_controls.h"
#include "platform/system/message_box.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QSessionManager>

namespace morvane::app {

namespace {

std::vector<std::filesystem::path> dropped_files(const QMimeData* data) {
    std::vector<std::filesystem::path> files;
    if (data != nullptr)
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) files.emplace_back(url.toLocalFile().toStdU16String());
    return files;
}

}  // namespace

MainWindow::MainWindow(MainServices services, TwipsPerPixel ratios, const controls::FontSpec& window_font,
                       controls::TextService& text)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), services_(services),
      form_(std::move(services), ratios, window_font), ratios_(ratios), font_(window_font), text_(text) {
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    WindowControls& controls = form_.controls();
    setFixedSize(controls.layout().client_width, controls.layout().client_height);

    // Made in Tab order: the resolution list, "Make Background", "Load Picture", the close glyph.
    auto changed = [this] { refresh(false); };
    auto caption_of = [this, &controls](size_t row) {
        return [this, &controls, row] {
            const LiveControl& c = controls.at(row);
            return controls::place_caption(c.button.face(), c.button.size_twips().width, ratios_, c.place.height, text_);
        };
    };
    list_ = new controls::PixelList(*this, pixels_, changed, form_.elcombo1());
    build_ = new controls::PixelButton(*this, pixels_, changed, &form_.elboton2(), caption_of(main_rows::elboton2));
    load_ = new controls::PixelButton(*this, pixels_, changed, &form_.elboton1(), caption_of(main_rows::elboton1));
    close_ = new controls::PixelButton(*this, pixels_, changed);
    close_->setFocusPolicy(Qt::TabFocus);  // a click on it ends the program; it needs no focus for that
    for (const size_t row : {main_rows::elcombo1, main_rows::elboton2, main_rows::elboton1, main_rows::Label2}) {
        const PixelRect p = controls.window_place(controls.at(row));
        const QString name = QString::fromStdString(heard_name(controls.at(row)));
        if (row == main_rows::elcombo1) {
            list_->place(QRect(p.x, p.y, p.width, p.height), name);
            continue;
        }
        control(row)->setGeometry(p.x, p.y, p.width, p.height);
        control(row)->setAccessibleName(name);
    }
    QObject::connect(build_, &QAbstractButton::clicked, this, [this] { form_.elboton2().click(); });
    QObject::connect(load_, &QAbstractButton::clicked, this, [this] { form_.elboton1().click(); });
    QObject::connect(close_, &QAbstractButton::clicked, this, [this] { form_.end_program(0); });
    form_.elcombo1().on_entries_changed = [this] { list_->show_entries(); };

    notice_timer_.setSingleShot(true);
    QObject::connect(&notice_timer_, &QTimer::timeout, this, [this] { form_.hide_notice(); });
    // A session that ends mid-build waits for it where the session manager lets it, as a close does.
    if (qGuiApp != nullptr)
        QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& session) {
            if (!form_.building()) return;
            form_.end_program(0);
            if (session.allowsInteraction()) {
                session.cancel();
                session.release();
            }
        });
    form_.Form_Load(*this);
    list_->setFocus(Qt::OtherFocusReason);
    refresh(true);
}

MainWindow::~MainWindow() {
    // The controls go while the form they report to is still here: losing the focus makes them report.
    form_.elcombo1().on_entries_changed = nullptr;
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QWidget* MainWindow::control(size_t row) const {
    switch (row) {
        case main_rows::elcombo1: return list_;
        case main_rows::elboton2: return build_;
        case main_rows::elboton1: return load_;
        case main_rows::Label2: return close_;
        default: return nullptr;
    }
}

void MainWindow::show_centred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect work = screen->availableGeometry();
        const ScreenPoint at = centred_on(work.x(), work.y(), work.width(), work.height(), width(), height());
        move(at.x, at.y);
    }
    show();
}

void MainWindow::refresh(bool force) {
    bool changed = force;
    auto set = [&changed](bool& field, bool value) {
        if (field != value) field = value, changed = true;
    };
    set(form_.elcombo1().state.focus_mark, controls::shows_focus_mark(*list_));
    set(form_.elboton2().state.focus_mark, controls::shows_focus_mark(*build_));
    set(form_.elboton1().state.focus_mark, controls::shows_focus_mark(*load_));
    set(form_.controls().at(main_rows::Label2).symbol_focus_mark, controls::shows_focus_mark(*close_));
    set(form_.elboton2().state.held, build_->held());
    set(form_.elboton1().state.held, load_->held());
    if (!changed) return;
    paint_window(pixels_, form_.controls(), text_);
    update();
}

void MainWindow::paintEvent(QPaintEvent*) { controls::show_window_pixels(*this, pixels_); }

int MainWindow::focused_row() const {
    for (const size_t row : {main_rows::elcombo1, main_rows::elboton2, main_rows::elboton1, main_rows::Label2})
        if (control(row) == focusWidget()) return int(row);
    return -1;
}

void MainWindow::focus_row(size_t row) {
    if (QWidget* to = control(row)) to->setFocus(Qt::OtherFocusReason);
}

ProgressView& MainWindow::open_progress() {
    progress_ = std::make_unique<ProgressWindow>(*this, *services_.fx, ratios_, font_, text_);
    return *progress_;
}

void MainWindow::set_notice_timer(int milliseconds) {
    if (milliseconds > 0)
        notice_timer_.start(milliseconds);
    else
        notice_timer_.stop();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) form_.Form_Activate();
    // Where the window system activates nothing on its own (no window manager), start up all the same.
    if (event->type() == QEvent::Show) QTimer::singleShot(0, this, [this] { form_.Form_Activate(); });
    return QWidget::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Alt+F4 and the window system's close end the program as the close glyph does; mid-build, once the build
    // has written its files (the form says so in the window).
    event->ignore();
    form_.end_program(0);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    const PixelRect title = form_.controls().window_place(form_.controls().at(main_rows::Label1));
    const QPoint at = event->position().toPoint();
    if (!QRect(title.x, title.y, title.width, title.height).contains(at)) return;
    dragging_ = true;
    form_.title_pressed(at.x(), at.y());
}

void MainWindow::mouseMoveEvent(QMouseEvent*) {
    if (dragging_) form_.title_moved();
}

void MainWindow::mouseReleaseEvent(QMouseEvent*) {
    if (std::exchange(dragging_, false)) form_.title_released();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!form_.building() && !form_.ended() && picture_to_take(dropped_files(event->mimeData())))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::optional<std::filesystem::path> picture = picture_to_take(dropped_files(event->mimeData()));
    if (!picture) return;
    event->acceptProposedAction();
    form_.load_picture_file(utf8_from_path(*picture));
}

}  // namespace morvane::app
