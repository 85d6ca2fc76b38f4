#pragma once
// The middle of the build command, apart from the windows: the scaled picture into Source_Buffer, the
// texture build, and the file, with every failure turned into a message for the user. The window around it
// shows and unloads the progress window and takes input away and back.
#include <filesystem>
#include <string>
#include <vector>

namespace morvane {
class PictureSurface;
}
namespace morvane::texture {
class TextureModule;
struct BuildProgress;
}

namespace morvane::app {

struct BuildRequest {
    PictureSurface& scaled_picture;  // Picture2: the picture at the output size
    PictureSurface& source;          // Source_Buffer
    PictureSurface& scratch;         // Temp_Buffer
    std::filesystem::path console_folder;     // the textures go in here, one per screen shape
};

struct BuildOutcome {
    bool built = false;    // BuildTexture reported that it built
    bool written = false;  // and every texture was written
    std::vector<std::filesystem::path> written_files;  // the textures written, in order
    std::vector<std::string> messages;  // to show, in order, once the window takes input again
};

// Writes the files only when the texture was built; a refused build leaves earlier files alone.
BuildOutcome run_build(texture::TextureModule& texture, const BuildRequest& request, texture::BuildProgress& progress);

}  // namespace morvane::app
