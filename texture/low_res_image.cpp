// The 16 x 16 DXT1 copy of the texture that follows the header.
#include "dxt/dxt_squish.h"
#include "texture/surface_pixels.h"
#include "texture/vtfmod.h"

#include <algorithm>
#include <cmath>

namespace morvane::texture {

namespace {

constexpr int32_t kLowResSide = 16;  // pixels, the longer side at most

// The longer side becomes 16 (or stays, when smaller), the shorter one keeps the picture's proportion, at
// least 1 pixel. A square texture thus gets 16 x 16, or its own size below 16.
void low_res_size(int32_t width, int32_t height, int32_t& lw, int32_t& lh) {
    const int32_t longer = std::max(width, height);
    const int32_t side = std::min(longer, kLowResSide);
    if (longer <= 0) {
        lw = lh = 0;
        return;
    }
    lw = std::max(1, int32_t(std::lround(double(width) * side / longer)));
    lh = std::max(1, int32_t(std::lround(double(height) * side / longer)));
}

}  // namespace

void TextureModule::MakeLowResImage(int32_t width, int32_t height, morvane::PictureSurface& source,
                                    morvane::PictureSurface& scratch) {
    int32_t lw = 0, lh = 0;
    low_res_size(width, height, lw, lh);
    capture_scaled(source, scratch, lw, lh, state.LowResInfo, state.LowResPixels);
    state.LowResCompressedSize = Get_Dxt1_Buffer_Size(lw, lh, kLibraryFlags);
    state.LowResCompressed.assign(size_t(std::llround(state.LowResCompressedSize)), 0);
    state.Header.loheight = uint8_t(lh);
    state.Header.lowidth = uint8_t(lw);
    state.Header.loformat = DXT1;
}

morvane::Outcome TextureModule::CompressLowResImage() {
    const VtfHeader& h = state.Header;
    const bool made = state.LowResPixels.size() >= size_t(h.lowidth) * h.loheight * 4 &&
                      Compress_Dxt1_Image(state.LowResPixels.data(), h.lowidth, h.loheight,
                                          state.LowResCompressed.data(), kLibraryFlags) == 1;
    return made ? morvane::Outcome::done() : blocks_not_made("DXT1", h.lowidth, h.loheight);
}

}  // namespace morvane::texture
