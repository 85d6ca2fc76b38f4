// The mip chain: every level stretched from the whole source onto the scratch surface and read back.
#include "texture/dxt_sizes.h"
#include "texture/surface_pixels.h"
#include "texture/vtfmod.h"

#include <algorithm>
#include <cmath>

namespace morvane::texture {

int16_t GetMipCount(int32_t width, int32_t height) {
    int16_t count = 0;
    int32_t w = width, h = height;
    while (h > 1 && w > 1) {
        ++count;
        h = std::max(h / 2, 1);
        w = std::max(w / 2, 1);
    }
    return int16_t(count + 1);
}

void TextureModule::CaptureMipLevels(int32_t width, int32_t height, morvane::PictureSurface& source,
                                     morvane::PictureSurface& scratch, int32_t format) {
    state.Header.mipmapcount = uint8_t(GetMipCount(width, height));
    state.MipLevels.assign(MipCount(), MipLevel{});
    int32_t w = width, h = height;
    for (int i = MipCount() - 1; i >= 0; --i) {
        yield();
        MipLevel& level = state.MipLevels[size_t(i)];
        level.Height = h;
        level.Width = w;
        level.Frames.assign(1, MipFrame{});
        level.Frames[0].Faces.assign(1, MipFace{});
        MipFace& face = level.Frames[0].Faces[0];

        // Each level is scaled from the full source, not from the level before it; the full-size level
        // passes through the scratch surface too, as a one-to-one copy. Every level but the last hands its
        // image over rather than copying it, since the next level resizes and clears the scratch surface;
        // the last one stays on it.
        const int32_t next_h = std::max(h / 2, 1), next_w = std::max(w / 2, 1);
        if (i > 0)
            capture_scaled_then_resize(source, scratch, w, h, face.Info, face.Pixels, next_w, next_h);
        else
            capture_scaled(source, scratch, w, h, face.Info, face.Pixels);

        face.CompressedSize = compressed_size(format, w, h);
        if (face.CompressedSize > 0) face.Compressed.assign(size_t(std::llround(face.CompressedSize)), 0);

        h = next_h;
        w = next_w;
    }
}

}  // namespace morvane::texture
