// The header's reflectivity vector, measured on the full-size level by the DXT library.
#include "dxt/dxt_squish.h"
#include "texture/vtfmod.h"

namespace morvane::texture {

void TextureModule::ComputeReflectivity() {
    state.Header.reflectivity = {0, 0, 0};
    if (MipCount() == 0 || state.MipLevels.size() < MipCount()) return;  // no levels: nothing to measure
    const MipLevel& top = state.MipLevels[size_t(MipCount()) - 1];
    int32_t images = 0;
    for (int f = 0; f < state.Header.frames && size_t(f) < top.Frames.size(); ++f) {
        for (int k = 0; k < state.FaceCount && size_t(k) < top.Frames[size_t(f)].Faces.size(); ++k) {
            const MipFace& face = top.Frames[size_t(f)].Faces[size_t(k)];
            if (face.Pixels.size() < size_t(top.Width) * size_t(top.Height) * 4) continue;
            Compute_Image_Reflectivity(face.Pixels.data(), top.Width, top.Height,
                                       state.Header.reflectivity.data(), kLibraryFlags);
            ++images;
        }
    }
    // The library adds one mean per image; dividing by the images measured makes it their mean.
    Create_Reflectivity(images, 1, 1, state.Header.reflectivity.data(), kLibraryFlags);
}

}  // namespace morvane::texture
