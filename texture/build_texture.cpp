// The build driver: checks the two surfaces, then runs every step into a fresh state that replaces the
// module's state only when the build is complete.
#include "texture/vtfmod.h"

#include <cmath>
#include <limits>
#include <system_error>
#include <thread>
#include <utility>

namespace morvane::texture {

namespace {

using morvane::PictureSurface;

// Two surfaces, and the source's container measures in pixels too, so that its size is the picture's pixels.
bool surfaces_fit(const PictureSurface& source, const PictureSurface& scratch) {
    // Drawing the levels on the source itself would destroy the picture they are drawn from.
    return &source != &scratch && source.container_units_per_pixel() == 1;
}

// The header stores the size as signed 16-bit numbers; an empty picture has nothing to build.
bool size_fits_header(int32_t w, int32_t h) {
    constexpr int32_t kMax = std::numeric_limits<int16_t>::max();
    return w >= 1 && h >= 1 && w <= kMax && h <= kMax;
}

}  // namespace

morvane::Outcome TextureModule::BuildTexture(PictureSurface& source, PictureSurface& scratch, int32_t flags,
                                             int32_t format, int16_t minorVersion) {
    const int32_t w = int32_t(std::lround(source.width()));
    const int32_t h = int32_t(std::lround(source.height()));
    if (!surfaces_fit(source, scratch) || !size_fits_header(w, h)) return morvane::Outcome::failed(kRefusedBuild);

    TextureModule next;
    next.progress_ = progress_;
    next.MakeLowResImage(w, h, source, scratch);
    if (morvane::Outcome low_res = next.CompressLowResImage(); !low_res.ok) return low_res;
    next.CaptureMipLevels(w, h, source, scratch, format);
    if (progress_) {
        progress_->set_max(next.MipCount());
        progress_->set_value(0);
    }
    next.fill_header(flags, format, minorVersion, w, h);
    next.state.FaceCount = 1;
    // The reflectivity reads the top level's pixels, the compression only writes the blocks: measured beside
    // it, it fills the moments the compression leaves a core idle instead of adding to the build's end.
    morvane::Outcome compressed = morvane::Outcome::done();
    {
        std::jthread reflectivity;  // joined when this block ends, however it ends
        try {
            reflectivity = std::jthread([&next] { next.ComputeReflectivity(); });
        } catch (const std::system_error&) {
            next.ComputeReflectivity();  // no thread to spare: measured here, before the compression
        }
        compressed = next.CompressMipLevels(format);
    }
    if (!compressed.ok) return compressed;

    state = std::move(next.state);
    return morvane::Outcome::done();
}

void TextureModule::fill_header(int32_t flags, int32_t format, int16_t minorVersion, int32_t width, int32_t height) {
    VtfHeader& header = state.Header;
    header.flags = flags;
    header.firstframe = 0;
    header.frames = 1;
    if (minorVersion > 1) {
        header.depth = 1;
        header.headersize = kHeaderBytesFromMinor2;
    } else {
        header.depth = 0;
        header.headersize = kHeaderBytesUpToMinor1;
    }
    header.height = int16_t(height);
    header.width = int16_t(width);
    header.bumpscale = 1.0f;
    header.hiformat = format;
    header.version = {7, minorVersion};
    header.signature = {'V', 'T', 'F', '\0'};
    header.padding0 = {0, 0, 0, 0};
    header.padding1 = {0, 0, 0, 0};
}

}  // namespace morvane::texture
