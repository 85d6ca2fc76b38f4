#pragma once
// The texture module: one texture (header, low-resolution image, mip chain) built from a picture surface
// and written as a VTF 7.x file. Data flows one way: source surface -> levels -> DXT blocks -> file.
#include "dxt/dxt_squish.h"
#include "platform/outcome.h"
#include "platform/pictures/picture_surface.h"
#include "texture/mip_levels.h"
#include "texture/vtf_format.h"
#include "texture/vtf_header.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morvane::texture {

// The progress window's bar and the message loop, as the build sees them.
struct BuildProgress {
    virtual ~BuildProgress() = default;
    virtual void set_max(int32_t max) = 0;
    virtual int32_t value() = 0;
    virtual void set_value(int32_t value) = 0;
    virtual void yield() = 0;  // handle pending window messages, then return
};

// What the surface check says when it refuses a build, word for word: the window shows it in a message box.
inline constexpr const char* kRefusedBuild = "error";

// The library flags every call of the DXT library passes: best quality.
inline constexpr int32_t kLibraryFlags = kDxtFlagsBestQuality;

// The build's failure when the DXT library made no blocks for a level (`format` "DXT5", ...; sides in pixels).
morvane::Outcome blocks_not_made(const char* format, int32_t width, int32_t height);

// Number of mip levels of a width x height picture: halving both sides until the shorter one reaches 1.
int16_t GetMipCount(int32_t width, int32_t height);

// Everything one build produces; replaced as a whole by every build. Plain data: a copy is a texture.
struct TextureState {
    VtfHeader Header;
    int32_t FaceCount = 0;
    BitmapInfo LowResInfo;
    morvane::PixelBytes LowResPixels;       // 4 x lowidth x loheight: B, G, R, fourth byte; top row first
    double LowResCompressedSize = 0;        // bytes
    std::vector<uint8_t> LowResCompressed;  // DXT1 blocks
    std::vector<MipLevel> MipLevels;        // index 0 = smallest level
};

// The module: its one texture, the steps that fill it, and where a build reports to.
class TextureModule {
public:
    TextureState state;

    void set_progress(BuildProgress* progress) { progress_ = progress; }  // nullptr: quiet

    // MipCount is the header's mipmapcount field itself.
    uint8_t MipCount() const { return state.Header.mipmapcount; }

    // Checks both surfaces, then fills the whole state from the source's picture. A refused build says
    // kRefusedBuild and leaves the state as it was.
    morvane::Outcome BuildTexture(morvane::PictureSurface& source, morvane::PictureSurface& scratch, int32_t flags,
                      int32_t format, int16_t minorVersion);

    // Writes the state as a VTF file, replacing `path` only once the new file is complete. Refuses a state
    // that no build has filled or whose levels are not DXT1, DXT3 or DXT5. Changes no state.
    morvane::Outcome WriteVtfFile(const std::filesystem::path& path) const;

    // --- the build's steps, in the order BuildTexture calls them --------------------------------------
    void MakeLowResImage(int32_t width, int32_t height, morvane::PictureSurface& source,
                         morvane::PictureSurface& scratch);
    morvane::Outcome CompressLowResImage();
    void CaptureMipLevels(int32_t width, int32_t height, morvane::PictureSurface& source,
                          morvane::PictureSurface& scratch, int32_t format);
    morvane::Outcome CompressMipLevels(int32_t format);
    void ComputeReflectivity();

private:
    void fill_header(int32_t flags, int32_t format, int16_t minorVersion, int32_t width, int32_t height);
    void yield() { if (progress_) progress_->yield(); }

    BuildProgress* progress_ = nullptr;
};

}  // namespace morvane::texture
