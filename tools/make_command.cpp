// `make`: picture -> square -> texture -> the console folder's background textures, standard and widescreen
// (app/core/console_files.h names them), and their materials where absent.
#include "tools/make_command.h"

#include "app/core/background_files.h"
#include "app/core/game_folder.h"
#include "app/core/game_search.h"
#include "app/core/material_file.h"
#include "app/core/utf8_path.h"
#include "tools/game_choice.h"
#include "platform/files/input_file.h"
#include "platform/codecs/default_picture.h"
#include "platform/codecs/jpeg_decode.h"
#include "platform/codecs/png_decode.h"
#include "platform/codecs/turned_jpeg_rows.h"
#ifdef _WIN32
#include "platform/win/pictures/picture_loader.h"  // the system's own decoders
#else
#include "tools/qt_pictures.h"
#endif
#include "texture/background_build.h"
#include "tools/terminal_progress.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace morvane::cli {

namespace fs = std::filesystem;

namespace {

// Names as the user typed them, whatever alphabet they are in (UTF-8 on every system).
std::string shown(const fs::path& path) { return app::utf8_from_path(path); }

int fail(const std::string& message) {
    std::fflush(stdout);  // the lines about what was done come first, also when both go to one file
    std::fprintf(stderr, "morvane-cli: %s\n", message.c_str());
    return 1;
}

// Loads the picture the user named, or hands out the built-in one.
LoadedPicture picture_for(const MakeOptions& options) {
    if (!options.picture) {
        LoadedPicture built_in = LoadedPicture::made(default_picture());
        std::printf("Picture: the built-in default picture (%d x %d)\n", built_in.value.width, built_in.value.height);
        return built_in;
    }
#ifdef _WIN32
    LoadedPicture loaded = load_picture(*options.picture);
#else
    LoadedPicture loaded = load_picture_through_qt(*options.picture);
#endif
    if (loaded.ok)
        std::printf("Picture: %s (%d x %d)\n", shown(*options.picture).c_str(), loaded.value.width, loaded.value.height);
    return loaded;
}

// The picture's name as the loaders' messages give it: in full, as UTF-8.
std::string shown_in_full(const fs::path& file) {
    std::error_code ec;
    const fs::path full = fs::absolute(file, ec);
    return shown(ec ? file : full.lexically_normal());
}

// The picture stretched onto the working square. A JPEG or a PNG (on Windows every picture) is drawn while it
// is decoded: half the time on two cores, and its pixels (64 MB for 5120 x 2880) never exist at once; a JPEG
// taken sideways is decoded a band of its columns at a time and each band turned, one mirrored or upside down
// is mirrored row by row and drawn from the bottom. One that turns out damaged or incomplete on the way is
// refused in its decoder's words; anything else goes to the system's decoders on Windows and to the general
// loader on Linux, which also say what is wrong with it.
Outcome draw_square(const MakeOptions& options, texture::BackgroundSurfaces& surfaces) {
    // A decoder's words on where its picture broke off become the picture's message; the system's rows on
    // Windows say it whole already.
    auto drawn = [&](RowSource& rows, bool in_decoders_words) {
        const Outcome drawn = texture::rescale_picture(rows, options.side_pixels, surfaces.Picture2);
        if (!drawn.ok && in_decoders_words)
            return Outcome::failed(picture_message::damaged(shown_in_full(*options.picture), drawn.error));
        if (!drawn.ok) return drawn;
        std::printf("Picture: %s (%d x %d)\n", shown(*options.picture).c_str(), rows.width(), rows.height());
        return drawn;
    };
    const size_t limit = size_t(kPictureAllocationLimitBytes);
    if (std::optional<JpegFile> jpeg = options.picture ? open_jpeg_file(*options.picture, limit) : std::nullopt) {
        JpegDecoder& decoder = *jpeg->decoder;
        if (turns_sideways(decoder.orientation())) {
            TurnedJpegRows turned(jpeg->bytes.data(), jpeg->bytes.size(), limit, decoder.orientation());
            return drawn(turned, true);
        }
        if (decoder.orientation() == 1) return drawn(decoder, true);
        FlippedJpegRows flipped(decoder);
        return drawn(flipped, true);
    }
    if (std::optional<PngFile> png = options.picture ? open_png_file(*options.picture, limit) : std::nullopt)
        return drawn(*png->decoder, true);
#ifdef _WIN32
    // Every other picture through the system's decoders, a band at a time.
    if (options.picture) {
        const Result<std::unique_ptr<PictureRows>> rows = open_picture_rows(*options.picture);
        if (!rows.ok) return Outcome::failed(rows.error);
        return drawn(*rows.value, false);
    }
#endif
    const LoadedPicture picture = picture_for(options);  // let go when drawn, before the build's own buffers are made
    if (!picture.ok) return picture;
    texture::rescale_picture(picture.value, options.side_pixels, surfaces.Picture2);
    return Outcome::done();
}

// Where the files go: --out as it is, or the console folder of the game --game names, where the game reads
// it first.
struct Target {
    fs::path folder;
    fs::path game;  // empty for --out
};

Result<Target> target_folder(const MakeOptions& options) {
    using Folder = Result<Target>;
    if (options.game.empty()) {
        std::error_code ec;
        const fs::file_status out = fs::status(options.out, ec);
        if (ec)  // a name too long for the system, no permission to look: not the same as missing
            return Folder::failed("the output folder \"" + shown(options.out) + "\" cannot be used: " +
                                  input_error_reason(ec.value()) + ".");
        if (!fs::exists(out))
            return Folder::failed("the output folder \"" + shown(options.out) + "\" does not exist; create it first.");
        if (!fs::is_directory(out))
            return Folder::failed("\"" + shown(options.out) +
                                  "\" is not a folder; give the folder to write the background into.");
        return Folder::made({options.out, {}});
    }
    const Result<fs::path> game = game_folder_for(options.game);
    if (!game.ok) return Folder::failed(game);
    std::printf("Game: %s\n", app::utf8_from_path(game.value).c_str());
    return Folder::made({app::game_search(game.value).console_folder, game.value});
}

// The textures, then the materials of those that were written, each line saying what happened.
int write_files(const texture::TextureModule& module, const fs::path& folder,
                std::span<const app::ConsoleBackground> backgrounds, bool made_folder) {
    std::error_code ec;
    std::vector<fs::path> written;
    const Outcome textures = app::write_textures(module, folder, backgrounds, written);
    for (const fs::path& texture : written)
        std::printf("Wrote %s (%ju bytes, %d levels)\n", shown(texture).c_str(), uintmax_t(fs::file_size(texture, ec)),
                    int(module.MipCount()));
    if (written.empty() && made_folder) fs::remove(folder, ec);  // leave no empty folder behind

    int result = 0;  // each material is tried, and each failure told
    for (const app::ConsoleBackground& background : backgrounds) {
        if (std::find(written.begin(), written.end(), folder / background.texture_file) == written.end()) continue;
        const fs::path material = folder / background.material_file;
        const bool material_was_there = fs::exists(material, ec);
        const Outcome vmt = app::write_material(folder, background);
        if (!vmt.ok) result = fail(vmt.error);
        else std::printf(material_was_there ? "Kept %s as it was\n" : "Wrote %s\n", shown(material).c_str());
    }
    if (!textures.ok) return fail(textures.error);
    return result;
}

}  // namespace

int run_make(const MakeOptions& options) {
    const Result<Target> target = target_folder(options);
    if (!target.ok) return fail(target.error);
    const fs::path& folder = target.value.folder;

    texture::BackgroundSurfaces surfaces;
    if (const Outcome drawn = draw_square(options, surfaces); !drawn.ok) return fail(drawn.error);

    if (options.encoder) dxt::set_encoder(*options.encoder);
    std::printf("Building %d x %d (DXT5, encoder %s)\n", options.side_pixels, options.side_pixels,
                dxt::encoder_name(dxt::current_encoder()));
    std::fflush(stdout);

    texture::TextureModule module;
    TerminalProgress progress(stdout);
    module.set_progress(&progress);
    if (const Outcome built = texture::make_background_unshown(surfaces, module); !built.ok)
        return fail(built.error == texture::kRefusedBuild ? "the texture could not be built from the picture; nothing was written."
                                                          : built.error);

    // As the window's start-up does for a game: the console folder is made when it is missing.
    bool made_folder = false;
    if (!options.game.empty() && !app::path_exists(app::utf8_from_path(folder))) {
        if (const Outcome made = app::create_console_folder(app::utf8_from_path(folder)); !made.ok)
            return fail(made.error + " Check that the game folder can be written to.");
        made_folder = true;
        std::printf("Made %s\n", shown(folder).c_str());
    }

    const std::span<const app::ConsoleBackground> backgrounds =
        options.only_standard ? std::span(&app::kStandardBackground, 1) : std::span(app::kBothBackgrounds);
    const int result = write_files(module, folder, backgrounds, made_folder);
    if (!target.value.game.empty() && result == 0) {
        std::printf("From its next start, the game opens:\n");
        // Searched again: a pack folder made just now is one of the places only from now on.
        print_backgrounds_seen(app::game_search(target.value.game), target.value.game);
    }
    return result;
}

}  // namespace morvane::cli
