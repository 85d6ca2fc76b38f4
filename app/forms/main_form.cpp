#include "app/forms/main_form.h"

#include "app/core/background_lookup.h"
#include "app/core/build_confirmation.h"
#include "app/core/game_folder.h"
#include "app/core/utf8_path.h"
#include "platform/codecs/default_picture.h"
#include "platform/system/file_dialog.h"
#include "platform/system/message_box.h"
#include "texture/background_build.h"
#include "texture/vtfmod.h"

#include <optional>
#include <string>
#include <utility>

namespace morvane::app {

namespace {

// Picture boxes hold pixels and measure in pixels.
void make_picture_box(PictureSurface& box, int width, int height, int container_units_per_pixel) {
    box.set_container_units_per_pixel(container_units_per_pixel);
    box.set_width_pixels(width);
    box.set_height_pixels(height);
}

// The texture build's view of the progress window: its bar's Max and Value, and the message loop.
class ProgressOfView : public texture::BuildProgress {
public:
    ProgressOfView(ProgressView& view, std::function<void()> yield)
        : view_(view), bar_(view.controls().at(process_rows::elprogress1).progress), yield_(std::move(yield)) {}
    void set_max(int32_t max) override {
        bar_.set_Max(max);
        view_.bar_changed();
    }
    int32_t value() override { return bar_.Value(); }
    void set_value(int32_t value) override {
        bar_.set_Value(value);
        view_.bar_changed();
    }
    void yield() override {
        if (yield_) yield_();
    }

private:
    ProgressView& view_;
    controls::elprogress& bar_;
    std::function<void()> yield_;
};

// What the game opens instead of the textures just written, one line each; "" when it opens them.
std::string others_seen(const GameSearch& search, const std::filesystem::path& game, const std::string& console_path) {
    const std::vector<BackgroundSeen> seen = backgrounds_seen(search, path_from_utf8(console_path));
    if (all_ours(seen)) return {};
    std::string text = "The background was written, but the game opens another file:";
    for (const BackgroundSeen& one : seen)
        if (!one.ours) text += "\n" + seen_line(one, game);
    return text;
}

}  // namespace

int output_size_for(int list_index) {
    const auto& sides = texture::kBackgroundSides;
    return list_index >= 0 && size_t(list_index) < sides.size() ? sides[size_t(list_index)] : 0;
}

MainForm::MainForm(MainServices services, TwipsPerPixel ratios, const controls::FontSpec& window_font)
    : services_(std::move(services)), controls_(main_form_definition(), ratios, window_font) {
    for (const auto& [row, box] : {std::pair{main_rows::Picture1, &loaded_picture_}, std::pair{main_rows::Picture2, &scaled_picture_},
                                   std::pair{main_rows::Source_Buffer, &source_buffer_}, std::pair{main_rows::Temp_Buffer, &temp_buffer_}}) {
        LiveControl& shown = controls_.at(row);
        // The frames hold Picture1 and Picture2 (they measure in twips); the buffers sit on the form itself,
        // which measures in pixels, so their outer size is their size in pixels.
        make_picture_box(*box, shown.place.width, shown.place.height, shown.container < 0 ? 1 : kTwipsPerPixel);
        shown.picture = &box->image();
    }
    elboton1().events.Click = [this] { load_picture(); };
    elboton2().events.Click = [this] { make_background(); };
    elcombo1().events.Click = [this] { resolution_clicked(); };
    set_picture(default_picture());
}

bool MainForm::notice_shown() const { return controls_.at(main_rows::Label4).visible; }

void MainForm::Form_Load(MainView& view) {
    view_ = &view;
    console_path_.clear();
    activated_ = false;
    services_.fx->set_main_window(&view.shell());
    services_.fx->shape_window(view.shell(), kWindowCorner);
    services_.fx->set_opacity(view.shell(), 0);
    for (const int side : texture::kBackgroundSides)
        elcombo1().AddItem(std::to_string(side) + " x " + std::to_string(side));
    elcombo1().SetListIndex(0);  // its Click rescales the picture
}

void MainForm::resolution_clicked() {
    rescale_picture();
    if (view_) view_->controls_changed();
}

void MainForm::Form_Activate() {
    if (activated_ || ended_) return;
    activated_ = true;  // first: the fade runs the message loop, which may activate the window again
    services_.fx->fade_in(view_->shell(), 0, kFadedInOpacity, 1);
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

void MainForm::end_program(int exit_code) {
    if (ended_ || closing_) return;
    if (building_) {
        // Ending now would free the progress window and the buffers under the running build.
        closing_ = exit_code;
        show_notice("Morvane closes as soon as the background is written.");
        return;
    }
    ended_ = true;
    if (services_.end_program) services_.end_program(exit_code);
}

void MainForm::set_picture(Image32 picture) {
    // Picture1 holds the picture as loaded, at its own size: another size is stretched from it.
    loaded_picture_.hold_picture(std::move(picture));
}

void MainForm::rescale_picture() {
    // Any other list position keeps the current size; the picture is stretched all the same.
    const int chosen = output_size_for(elcombo1().GetListIndex());
    texture::rescale_picture(loaded_picture_.image(), chosen > 0 ? chosen : scaled_picture_.width_pixels(),
                             scaled_picture_);
    if (view_) view_->picture_changed();
}

void MainForm::load_picture() {
    FileDialog& dialog = *services_.dialog;
    dialog.file_name = "";
    dialog.folder = "";
    dialog.title = kLoadTitle;
    dialog.filter = kLoadFilter;
    dialog.show_open();
    if (dialog.file_name.empty()) return;
    load_picture_file(dialog.file_name);
}

void MainForm::load_at_start(std::string file) { start_picture_ = std::move(file); }

void MainForm::load_picture_file(const std::string& file) {
    if (building_ || ended_) return;
    LoadedPicture loaded = services_.load_picture(path_from_utf8(file));
    if (!loaded.ok) {
        services_.messages->show(loaded.error);  // the previous picture stays
        return;
    }
    set_picture(std::move(loaded.value));
    rescale_picture();
}

void MainForm::title_pressed(int x_pixels, int y_pixels) {
    // The grab point goes over in twips with the effects' own ratio, measured from the window's corner,
    // since that corner is what follows the cursor.
    services_.fx->drag_start(true, float(x_pixels * kTwipsPerPixel), float(y_pixels * kTwipsPerPixel));
}

void MainForm::title_moved() { services_.fx->drag_move(); }
void MainForm::title_released() { services_.fx->drag_stop(); }

void MainForm::show_notice(const std::string& text) {
    LiveControl& notice = controls_.at(main_rows::Label4);
    notice.label.caption = text;
    notice.label.visible = notice.visible = true;
    if (!view_) return;
    view_->set_notice_timer(kNoticeMilliseconds);
    view_->controls_changed();
}

void MainForm::hide_notice() {
    LiveControl& notice = controls_.at(main_rows::Label4);
    if (!notice.visible) return;
    notice.label.visible = notice.visible = false;
    if (!view_) return;
    view_->set_notice_timer(0);
    view_->controls_changed();
}

void MainForm::make_background() {
    if (building_ || ended_) return;
    if (console_path_.empty()) {
        services_.messages->show("Morvane does not know the game folder yet, so there is nowhere to write the "
                                 "background.\nWait until the game's program has been located, then press Make Background again.");
        return;
    }
    building_ = true;
    hide_notice();
    ProgressView& progress_window = view_->open_progress();
    // Taking input away takes the focus too: the control that had it gets it back (the list, if none did).
    const int focused = view_->focused_row();
    view_->set_input_enabled(false);

    BuildRequest request{scaled_picture_, source_buffer_, temp_buffer_, path_from_utf8(console_path_)};
    ProgressOfView progress(progress_window, services_.yield);
    BuildOutcome outcome = run_build(*services_.texture, request, progress);
    // A console folder set up before Morvane wrote both screen shapes lacks the widescreen material.
    if (!outcome.written_files.empty()) {
        const Outcome vmt = services_.write_vmt(console_path_, kWidescreenBackground);
        if (!vmt.ok) outcome.messages.push_back(vmt.error + "\nWidescreen screens keep the game's own background until it is there.");
    }

    view_->close_progress();
    view_->set_input_enabled(true);
    view_->focus_row(focused >= 0 ? size_t(focused) : main_rows::elcombo1);
    building_ = false;
    if (outcome.written) {
        // Said only where the game's own gameinfo.txt was followed to Morvane's files; a folder of the player's
        // own choosing, or a game whose search paths could not be read, gets no claim.
        const std::optional<std::filesystem::path> game = game_of_console_folder(path_from_utf8(console_path_));
        const GameSearch search = game ? game_search(*game) : GameSearch{};
        std::string others = game ? others_seen(search, *game, console_path_) : std::string();
        show_notice(build_confirmation(scaled_picture_.width_pixels(), console_path_, outcome.written_files,
                                       game && others.empty() && search.note.empty()));
        if (!others.empty()) outcome.messages.push_back(std::move(others));
    }
    for (const std::string& text : outcome.messages) services_.messages->show(text);
    if (closing_) end_program(*std::exchange(closing_, std::nullopt));
}

}  // namespace morvane::app
