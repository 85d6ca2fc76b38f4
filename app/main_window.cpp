#include "app/main_window.h"

#include "app/forms/build_command.h"
#include "app/build_notice.h"
#include "app/core/build_confirmation.h"
#include "app/core/game_folder.h"
#include "app/core/utf8_path.h"
#include "app/form_fx.h"
#include "app/labels.h"
#include "app/picture_drop.h"
#include "app/picture_view.h"
#include "app/process_window.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/symbol_label.h"
#include "platform/default_picture.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/qt/picture_loader.h"
#include "texture/background_build.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QEvent>
#include <QPointer>
#include <QShowEvent>
#include <QTimer>

#include <optional>
#include <utility>

namespace morvane::app {

namespace {

constexpr const char* kLoadTitle = "Load Picture...";
constexpr const char* kLoadFilter = "Picture File(*.bmp,*.jpg)|*.bmp;*.jpg";
constexpr int16_t kFadedInOpacity = 230;

// The sizes of the resolution list's entries, in pixels.
int output_size_for(int list_index) {
    switch (list_index) {
        case 0: return 1024;
        case 1: return 2048;
        default: return 0;
    }
}

// Picture boxes hold pixels, measure in pixels and have neither border nor 3-D look.
void make_picture_box(PictureSurface& box, int width, int height, int container_units_per_pixel) {
    box.set_scale_mode(ScalePixels);
    box.set_appearance(AppearanceFlat);
    box.set_border_style(BorderNone);
    box.set_auto_size(false);
    box.set_container_units_per_pixel(container_units_per_pixel);
    box.set_width_pixels(width);
    box.set_height_pixels(height);
}

}  // namespace

main::main(MainServices services) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), services_(std::move(services)) {
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    const FormDefinition layout = main_form_definition();
    for (const auto& row : layout.controls) {
        PictureSurface* box = row.name == "Picture1"        ? &loaded_picture_
                                       : row.name == "Picture2"      ? &scaled_picture_
                                       : row.name == "Source_Buffer" ? &source_buffer_
                                       : row.name == "Temp_Buffer"   ? &temp_buffer_
                                                                     : nullptr;
        // The frames hold Picture1 and Picture2 (they measure in twips); the buffers sit on the form itself,
        // which measures in pixels, so their outer size is their size in pixels.
        if (box) make_picture_box(*box, row.place.width, row.place.height, row.container.empty() ? 1 : kTwipsPerPixel);
    }
    controls_ = build_form(*this, layout, {{"Picture1", &loaded_picture_}, {"Picture2", &scaled_picture_},
                                           {"Source_Buffer", &source_buffer_}, {"Temp_Buffer", &temp_buffer_}});
    resolution_list_ = controls_.get<controls::elcombo>("elcombo1");
    load_button_ = controls_.get<controls::elboton>("elboton1");
    build_button_ = controls_.get<controls::elboton>("elboton2");
    scaled_picture_view_ = controls_.get<PictureView>("Picture2");
    title_ = controls_.get<TextLabel>("Label1");
    close_glyph_ = controls_.get<controls::SymbolLabel>("Label2");
    notice_ = new BuildNotice(*controls_.get<TextLabel>("Label4"));
    set_picture(default_picture());
    connect_controls();
    set_keyboard_order();
    setAcceptDrops(true);

    // Form_Load
    console_path_.clear();
    activated_ = false;
    services_.fx->set_main_window(this);
    services_.fx->shape_window(*this, form_fx::kWindowCorner);
    services_.fx->set_opacity(*this, 0);
    resolution_list_->AddItem("1024 x 1024");
    resolution_list_->AddItem("2048 x 2048");
    resolution_list_->SetListIndex(0);  // its Click rescales the picture
}

main::~main() = default;

void main::connect_controls() {
    QObject::connect(resolution_list_, &controls::elcombo::Click, this, [this] { rescale_picture(); });
    QObject::connect(load_button_, &controls::elboton::Click, this, [this] { load_picture(); });
    QObject::connect(build_button_, &controls::elboton::Click, this, [this] { make_background(); });
    QObject::connect(close_glyph_, &controls::SymbolLabel::Click, this, [this] { end_program(0); });
    // The title line drags the window. The grab point is measured from the window's corner, not the label's,
    // since that corner is what follows the cursor; it goes over in twips with the effects' own ratio.
    QObject::connect(title_, &TextLabel::mouse_down, this, [this](QPointF at) {
        const QPoint grab = title_->mapTo(this, at).toPoint();
        services_.fx->drag_start(true, float(grab.x() * kTwipsPerPixel),
                                 float(grab.y() * kTwipsPerPixel));
    });
    QObject::connect(title_, &TextLabel::mouse_move, this, [this](QPointF) { services_.fx->drag_move(); });
    QObject::connect(title_, &TextLabel::mouse_up, this, [this](QPointF) { services_.fx->drag_stop(); });
}

void main::set_keyboard_order() {
    // Tab and Shift+Tab go round the focusable controls in the order of the layout's rows, which is the order
    // a player reads them in: the resolution list, "Make Background", "Load Picture", then the close glyph
    // (a row of the title line, so first in the layout) round to the list again. The window starts on the list.
    close_glyph_->setFocusPolicy(Qt::TabFocus);  // a click on it ends the program; it needs no focus for that
    resolution_list_->list_control()->setFocus(Qt::OtherFocusReason);
    resolution_list_->set_accessible_caption(QStringLiteral("Resolution"));
}

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
    // A close request from the window system ends the program like the close glyph, but not mid-build.
    event->ignore();
    if (!building_) end_program(0);
}

void main::Form_Activate() {
    if (activated_ || ended_) return;
    activated_ = true;  // first: the fade runs the message loop, which may activate the window again
    services_.fx->fade_in(*this, 0, kFadedInOpacity, 1);
    if (ended_) return;
    GameLocation with{services_.program_folder, services_.dialog, services_.messages, services_.write_vmt,
                      services_.find_games};
    const LocateResult found = locate_game(with);
    if (!found.located) {
        end_program(1);
        return;
    }
    console_path_ = found.console_path;
    if (!start_picture_.empty()) load_picture_file(std::exchange(start_picture_, {}));
}

void main::end_program(int exit_code) {
    if (ended_) return;
    ended_ = true;
    if (services_.process) services_.process->unload();
    hide();
    if (services_.end_program) services_.end_program(exit_code);
}

void main::set_picture(const Image32& picture) {
    // Picture1 holds the picture as loaded, at its own size.
    loaded_picture_.set_width_pixels(picture.width);
    loaded_picture_.set_height_pixels(picture.height);
    loaded_picture_.stretch_copy(picture, 0, 0, picture.width, picture.height);
}

void main::rescale_picture() {
    // Any other list position keeps the current size; the picture is stretched all the same.
    const int chosen = output_size_for(resolution_list_->GetListIndex());
    texture::rescale_picture(loaded_picture_.image(), chosen > 0 ? chosen : scaled_picture_.width_pixels(),
                             scaled_picture_);
    if (scaled_picture_view_) scaled_picture_view_->refresh();
}

void main::load_picture() {
    FileDialog& dialog = *services_.dialog;
    dialog.file_name = "";
    dialog.folder = "";
    dialog.title = kLoadTitle;
    dialog.filter = kLoadFilter;
    dialog.show_open();
    if (dialog.file_name.empty()) return;
    load_picture_file(dialog.file_name);
}

void main::load_at_start(std::string file) { start_picture_ = std::move(file); }

void main::dragEnterEvent(QDragEnterEvent* event) {
    if (!building_ && !ended_ && dropped_picture(event->mimeData())) event->acceptProposedAction();
}

void main::dropEvent(QDropEvent* event) {
    if (building_ || ended_) return;
    const std::optional<std::filesystem::path> picture = dropped_picture(event->mimeData());
    if (!picture) return;
    event->acceptProposedAction();
    load_picture_file(utf8_from_path(*picture));
}

void main::load_picture_file(const std::string& file) {
    const LoadedPicture loaded = morvane::load_picture(path_from_utf8(file));
    if (!loaded.ok()) {
        services_.messages->show(loaded.error);  // the previous picture stays
        return;
    }
    set_picture(loaded.picture);
    rescale_picture();
}

void main::make_background() {
    if (building_ || ended_) return;
    if (console_path_.empty()) {
        services_.messages->show("Morvane does not know the game folder yet, so there is nowhere to write the "
                                 "background.\nWait until hl2.exe has been located, then press Make Background again.");
        return;
    }
    building_ = true;
    notice_->hide();
    process& progress_window = services_.process->get();
    progress_window.move(geometry().center() - progress_window.rect().center());
    progress_window.show();
    const QPointer<QWidget> focused = focusWidget();  // taking input away takes the focus too
    setEnabled(false);

    BuildRequest request{scaled_picture_, source_buffer_, temp_buffer_, path_from_utf8(console_path_)};
    ProcessProgress progress(*services_.process, services_.yield);
    BuildOutcome outcome = run_build(*services_.texture, request, progress);
    // A console folder set up before Morvane wrote both screen shapes lacks the widescreen material.
    if (!outcome.written_files.empty()) {
        const Outcome vmt = services_.write_vmt(console_path_, kWidescreenBackground);
        if (!vmt.ok) outcome.messages.push_back(vmt.error + "\nWidescreen screens keep the game's own background until it is there.");
    }

    services_.process->unload();
    setEnabled(true);
    if (focused) focused->setFocus(Qt::OtherFocusReason);
    building_ = false;
    if (outcome.written) {
        notice_->show_text(QString::fromStdString(build_confirmation(
            scaled_picture_.width_pixels(), console_path_, outcome.written_files)));
    }
    for (const std::string& text : outcome.messages) services_.messages->show(text);
}

}  // namespace morvane::app
