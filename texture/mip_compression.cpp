// Every captured level compressed to its DXT blocks, largest first, one progress step per level.
#include "dxt/dxt_squish.h"
#include "texture/vtfmod.h"

#include <algorithm>

namespace morvane::texture {

namespace {

void compress_face(MipFace& face, int32_t width, int32_t height, int32_t format) {
    // A level captured for another format has no buffer to fill.
    if (face.Compressed.empty() || face.Pixels.size() < size_t(width) * size_t(height) * 4) return;
    switch (format) {
        case DXT5: Compress_Dxt5_Image(face.Pixels.data(), width, height, face.Compressed.data(), kLibraryFlags); break;
        case DXT3: Compress_Dxt3_Image(face.Pixels.data(), width, height, face.Compressed.data(), kLibraryFlags); break;
        case DXT1: Compress_Dxt1_Image(face.Pixels.data(), width, height, face.Compressed.data(), kLibraryFlags); break;
        default: break;  // nothing to compress; the step still counts
    }
}

}  // namespace

void TextureModule::CompressMipLevels(int32_t format) {
    const int count = std::min<int>(MipCount(), int(state.MipLevels.size()));
    for (int i = count - 1; i >= 0; --i) {
        yield();
        if (progress_) progress_->set_value(progress_->value() + 1);
        MipLevel& level = state.MipLevels[size_t(i)];
        if (level.Frames.empty() || level.Frames[0].Faces.empty()) continue;
        compress_face(level.Frames[0].Faces[0], level.Width, level.Height, format);
    }
}

}  // namespace morvane::texture
