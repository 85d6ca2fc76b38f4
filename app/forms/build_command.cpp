#include "app/forms/build_command.h"

#include "app/core/background_files.h"
#include "platform/picture_surface.h"
#include "texture/background_build.h"
#include "texture/vtfmod.h"

#include <exception>

namespace morvane::app {

namespace {

// The surface check's "error" box, held back until the window takes input again.
class HeldAlerts : public texture::BuildAlerts {
public:
    explicit HeldAlerts(std::vector<std::string>& into) : into_(into) {}
    void show_error(const std::string& text) override { into_.push_back(text); }

private:
    std::vector<std::string>& into_;
};

// The module reports to these only while this build runs.
class Attached {
public:
    Attached(texture::TextureModule& texture, texture::BuildProgress& progress, texture::BuildAlerts& alerts)
        : texture_(texture) {
        texture_.set_progress(&progress);
        texture_.set_alerts(&alerts);
    }
    ~Attached() {
        texture_.set_progress(nullptr);
        texture_.set_alerts(nullptr);
    }

private:
    texture::TextureModule& texture_;
};

}  // namespace

BuildOutcome run_build(texture::TextureModule& texture, const BuildRequest& request, texture::BuildProgress& progress) {
    BuildOutcome outcome;
    HeldAlerts alerts(outcome.messages);
    try {
        Attached attached(texture, progress, alerts);
        // The same road morvane-cli takes, so both write the same file from the same picture.
        outcome.built = texture::make_background(request.scaled_picture, request.source, request.scratch, texture);
    } catch (const std::exception& e) {
        outcome.messages.push_back(std::string("The background could not be built: ") + e.what() +
                                   "\nNothing was written; the previous background stays as it was.");
        return outcome;
    }
    if (!outcome.built) return outcome;
    const Outcome written =
        write_textures(texture, request.console_folder, kBothBackgrounds, outcome.written_files);
    outcome.written = written.ok;
    if (written.ok) return outcome;
    // The writer's message says of each file it could not write that the earlier one is unchanged.
    if (outcome.written_files.empty()) {
        outcome.messages.push_back("The background was not written: " + written.error);
    } else {
        outcome.messages.push_back("The background was written for one screen shape only: " + written.error +
                                   "\nPress Make Background again once the cause is dealt with.");
    }
    return outcome;
}

}  // namespace morvane::app
