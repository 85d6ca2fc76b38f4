// `make`: picture -> square -> texture -> DIR/background01.vtf (+ .vmt where absent).
#include "tools/make_command.h"

#include "app/core/material_file.h"
#include "platform/input_file.h"
#include "platform/qt/default_picture.h"
#include "platform/qt/picture_loader.h"
#include "texture/background_build.h"
#include "tools/terminal_progress.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace morvane::cli {

namespace fs = std::filesystem;

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "morvane-cli: %s\n", message.c_str());
    return 1;
}

// Loads the picture the user named, or hands out the built-in one.
bool picture_for(const MakeOptions& options, Image32& picture, std::string& error) {
    if (!options.picture) {
        picture = default_picture();
        std::printf("Picture: the built-in default picture (%d x %d)\n", picture.width, picture.height);
        return true;
    }
    LoadedPicture loaded = load_picture(*options.picture);
    if (!loaded.ok()) {
        error = loaded.error;
        return false;
    }
    picture = std::move(loaded.picture);
    std::printf("Picture: %s (%d x %d)\n", options.picture->string().c_str(), picture.width, picture.height);
    return true;
}

}  // namespace

int run_make(const MakeOptions& options) {
    std::error_code ec;
    const fs::file_status out = fs::status(options.out, ec);
    if (ec)  // a name too long for the system, no permission to look: not the same as missing
        return fail("the output folder \"" + options.out.string() + "\" cannot be used: " +
                    input_error_reason(ec.value()) + ".");
    if (!fs::exists(out))
        return fail("the output folder \"" + options.out.string() + "\" does not exist; create it first.");
    if (!fs::is_directory(out))
        return fail("\"" + options.out.string() + "\" is not a folder; give the folder to write the background into.");

    Image32 picture;
    std::string error;
    if (!picture_for(options, picture, error)) return fail(error);

    if (options.encoder) dxt::set_encoder(*options.encoder);
    std::printf("Building %d x %d (DXT5, encoder %s)\n", options.side_pixels, options.side_pixels,
                dxt::encoder_name(dxt::current_encoder()));
    std::fflush(stdout);

    vtfmod::TextureModule module;
    TerminalProgress progress(stdout);
    module.set_progress(&progress);
    if (!vtfmod::build_background(picture, options.side_pixels, module))
        return fail("the texture could not be built from the picture; nothing was written.");

    const fs::path texture = options.out / "background01.vtf";
    const vtfmod::WriteResult written = module.WriteVtfFile(texture);
    if (!written.ok) return fail(written.error);
    std::printf("Wrote %s (%ju bytes, %d levels)\n", texture.string().c_str(), uintmax_t(fs::file_size(texture, ec)),
                int(module.MipCount()));

    const fs::path material = options.out / "background01.vmt";
    const bool material_was_there = fs::exists(material, ec);
    const morvanemod::FileResult vmt = morvanemod::write_vmt(options.out);
    if (!vmt.ok) return fail(vmt.error);
    std::printf(material_was_there ? "Kept %s as it was\n" : "Wrote %s\n", material.string().c_str());
    return 0;
}

}  // namespace morvane::cli
