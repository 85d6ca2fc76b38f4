// Every captured level compressed to its DXT blocks, largest first, one progress step per level.
#include "dxt/dxt_squish.h"
#include "texture/vtfmod.h"

#include <algorithm>
#include <string>

namespace morvane::texture {

namespace {

// The library writes the blocks and says 1, or writes nothing and says 0; a texture missing a level's blocks
// would show as black, so that is the build's failure.
morvane::Outcome compress_face(MipFace& face, int32_t width, int32_t height, int32_t format) {
    // A level captured for another format has no buffer to fill.
    if (face.Compressed.empty()) return morvane::Outcome::done();
    int32_t made = 0;
    if (face.Pixels.size() >= size_t(std::max(width, 0)) * size_t(std::max(height, 0)) * 4) {
        switch (format) {
            case DXT5: made = Compress_Dxt5_Image(face.Pixels.data(), width, height, face.Compressed.data(), kLibraryFlags); break;
            case DXT3: made = Compress_Dxt3_Image(face.Pixels.data(), width, height, face.Compressed.data(), kLibraryFlags); break;
            case DXT1: made = Compress_Dxt1_Image(face.Pixels.data(), width, height, face.Compressed.data(), kLibraryFlags); break;
            default: return morvane::Outcome::done();  // nothing to compress; the step still counts
        }
    }
    return made == 1 ? morvane::Outcome::done() : blocks_not_made(image_format_name(format), width, height);
}

}  // namespace

morvane::Outcome blocks_not_made(const char* format, int32_t width, int32_t height) {
    return morvane::Outcome::failed(std::string("The background could not be built: the ") + format +
                                    " blocks of its " + std::to_string(width) + " x " + std::to_string(height) +
                                    " level could not be made.\nNothing was written; the previous background stays "
                                    "as it was.");
}

morvane::Outcome TextureModule::CompressMipLevels(int32_t format) {
    const int count = std::min<int>(MipCount(), int(state.MipLevels.size()));
    for (int i = count - 1; i >= 0; --i) {
        yield();
        if (progress_) progress_->set_value(progress_->value() + 1);
        MipLevel& level = state.MipLevels[size_t(i)];
        if (level.Frames.empty() || level.Frames[0].Faces.empty()) continue;
        if (morvane::Outcome made = compress_face(level.Frames[0].Faces[0], level.Width, level.Height, format); !made.ok)
            return made;
    }
    return morvane::Outcome::done();
}

}  // namespace morvane::texture
