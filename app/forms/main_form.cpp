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

// The texture build's view of the progress window: its bar's Max and Value, and the message loop.
class ProgressOfView : public texture::BuildProgress {
public:
    ProgressOfView(ProgressView& view, std::function<void()> yield)
        : view_(view), bar_(view.controls().find("elprogress1")), yield_(std::move(yield)) {}
    void set_max(int32_t max) override {
        if (!bar_) return;
        bar_->progress.set_max(max);
        view_.bar_changed();
    }
    int32_t value() override { return bar_ ? bar_->progress.value : 0; }
    void set_value(int32_t value) override {
        if (!bar_) return;
        bar_->progress.set_value(value);
        view_.bar_changed();
    }
    void yield() override {
        if (yield_) yield_();
    }

private:
    ProgressView& view_;
    LiveControl* bar_;
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
    for (const auto& [name, box] : {std::pair{"Picture1", &loaded_picture_}, std::pair{"Picture2", &scaled_picture_},
                                    std::pair{"Source_Buffer", &source_buffer_}, std::pair{"Temp_Buffer", &temp_buffer_}}) {
        const ControlDefinition* row = controls_.layout().find(name);
        // The frames hold Picture1 and Picture2 (they measure in twips); the buffers sit on the form itself,
        // which measures in pixels, so their outer size is their size in pixels.
        if (row) make_picture_box(*box, row->place.width, row->place.height, row->container.empty() ? 1 : kTwipsPerPixel);
    }
    set_picture(default_picture());
}

bool MainForm::notice_shown() const { return controls_.find("Label4")->visible; }

void MainForm::Form_Load(MainView& view) {
    view_ = &view;
    console_path_.clear();
    activated_ = false;
    services_.fx->set_main_window(&view.shell());
    services_.fx->shape_window(view.shell(), kWindowCorner);
    services_.fx->set_opacity(view.shell(), 0);
    ResolutionList& list = view.resolution_list();
    for (const int side : texture::kBackgroundSides) list.AddItem(std::to_string(side) + " x " + std::to_string(side));
    list.SetListIndex(0);  // its Click rescales the picture
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
    const int chosen = output_size_for(view_ ? view_->resolution_list().GetListIndex() : 0);
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
    LiveControl& notice = *controls_.find("Label4");
    notice.label.caption = text;
    notice.label.visible = notice.visible = true;
    if (view_) view_->controls_changed();
}

void MainForm::hide_notice() {
    LiveControl& notice = *controls_.find("Label4");
    if (!notice.visible) return;
    notice.label.visible = notice.visible = false;
    if (view_) view_->controls_changed();
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
