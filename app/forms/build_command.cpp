#include "app/forms/build_command.h"

#include "app/core/background_files.h"
#include "platform/pictures/picture_surface.h"
#include "texture/background_build.h"
#include "texture/vtfmod.h"

#include <new>

namespace morvane::app {

namespace {

// The module reports to these only while this build runs.
class Attached {
public:
    Attached(texture::TextureModule& texture, texture::BuildProgress& progress) : texture_(texture) {
        texture_.set_progress(&progress);
    }
    ~Attached() { texture_.set_progress(nullptr); }

private:
    texture::TextureModule& texture_;
};

}  // namespace

BuildOutcome run_build(texture::TextureModule& texture, const BuildRequest& request, texture::BuildProgress& progress) {
    BuildOutcome outcome;
    try {
        Attached attached(texture, progress);
        // The same road morvane-cli takes, so both write the same file from the same picture.
        const Outcome made = texture::make_background(request.scaled_picture, request.source, request.scratch, texture);
        outcome.built = made.ok;
        // The surface check's box, held back until the window takes input again.
        if (!made.ok) outcome.messages.push_back(made.error);
    } catch (const std::bad_alloc&) {  // the one failure no step can foresee: a 2048 build needs about 35 MB
        outcome.messages.push_back("The background could not be built: there is not enough memory."
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
