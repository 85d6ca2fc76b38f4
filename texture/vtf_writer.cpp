// The texture file: header, low-resolution image, then every level from the smallest up, all frames and
// faces of a level together; no separators, no length prefixes.
#include "platform/files/file_replace.h"
#include "texture/vtfmod.h"

#include <span>

namespace morvane::texture {

namespace {

// Whether a state can be written, and why not: the header must not promise blocks the file lacks.
morvane::Outcome writable(const TextureState& s) {
    using morvane::Outcome;
    if (s.MipLevels.empty() || s.Header.mipmapcount == 0 || s.LowResCompressed.empty())
        return Outcome::failed("no texture has been built yet");
    if (!is_build_format(s.Header.hiformat))
        return Outcome::failed("its levels are in image format " + std::to_string(s.Header.hiformat) +
                               ", which has no compressed data to store (only DXT1, DXT3 and DXT5 can be written)");
    if (s.MipLevels.size() != s.Header.mipmapcount) return Outcome::failed("its level table does not match its header");
    for (const MipLevel& level : s.MipLevels) {
        if (int(level.Frames.size()) < s.Header.frames) return Outcome::failed("a level lacks one of its frames");
        for (int f = 0; f < s.Header.frames; ++f) {
            if (int(level.Frames[size_t(f)].Faces.size()) < s.FaceCount) return Outcome::failed("a level lacks one of its faces");
            for (int k = 0; k < s.FaceCount; ++k)
                if (level.Frames[size_t(f)].Faces[size_t(k)].Compressed.empty()) return Outcome::failed("a level has no compressed data");
        }
    }
    return Outcome::done();
}

}  // namespace

morvane::Outcome TextureModule::WriteVtfFile(const std::filesystem::path& path) const {
    if (const morvane::Outcome can = writable(state); !can.ok)
        return morvane::Outcome::failed("The texture \"" + morvane::shown_in_message(path.string()) + "\" was not written: " + can.error + ".");

    const std::vector<uint8_t> header = header_bytes(state.Header);
    std::vector<std::span<const uint8_t>> pieces{header, state.LowResCompressed};
    for (const MipLevel& level : state.MipLevels)
        for (int f = 0; f < state.Header.frames; ++f)
            for (int k = 0; k < state.FaceCount; ++k)
                pieces.emplace_back(level.Frames[size_t(f)].Faces[size_t(k)].Compressed);

    if (const morvane::Outcome written = morvane::replace_file(path, pieces); !written.ok)
        return morvane::Outcome::failed("Could not write the texture \"" + morvane::shown_in_message(path.string()) + "\": " + written.error +
                                       ". Any earlier file of that name is unchanged; check that the folder exists "
                                       "and is writable.");
    return morvane::Outcome::done();
}

}  // namespace morvane::texture
