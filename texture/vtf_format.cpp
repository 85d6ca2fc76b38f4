#include "texture/vtf_format.h"

#include "dxt/block_format.h"

#include <array>
#include <cstddef>
#include <utility>

namespace morvane::texture {

namespace {

using dxt::BlockFormat;

struct FormatInfo {
    const char* name;
    int bytes_per_pixel;  // 0 for the 4 x 4 block formats
    BlockFormat blocks = BlockFormat::Dxt1;  // the block formats' layout
};

// Index = format code; the published VTF numbering.
constexpr std::array<FormatInfo, 27> kFormats{{
    {"RGBA8888", 4}, {"ABGR8888", 4}, {"RGB888", 3}, {"BGR888", 3}, {"RGB565", 2}, {"I8", 1}, {"IA88", 2},
    {"P8", 1}, {"A8", 1}, {"RGB888_BLUESCREEN", 3}, {"BGR888_BLUESCREEN", 3}, {"ARGB8888", 4}, {"BGRA8888", 4},
    {"DXT1", 0, BlockFormat::Dxt1}, {"DXT3", 0, BlockFormat::Dxt3}, {"DXT5", 0, BlockFormat::Dxt5},
    {"BGRX8888", 4}, {"BGR565", 2}, {"BGRX5551", 2}, {"BGRA4444", 2}, {"DXT1_ONEBITALPHA", 0, BlockFormat::Dxt1},
    {"BGRA5551", 2}, {"UV88", 2}, {"UVWQ8888", 4}, {"RGBA16161616F", 8}, {"RGBA16161616", 8}, {"UVLX8888", 4},
}};

constexpr std::pair<int32_t, const char*> kFlagNames[] = {
    {Point, "Point"}, {Trilinear, "Trilinear"}, {ClampS, "ClampS"}, {ClampT, "ClampT"},
    {Anisotropic, "Anisotropic"}, {HintDTX5, "HintDTX5"}, {NoCompress, "NoCompress"}, {Normal, "Normal"},
    {NoMipMaps, "NoMipMaps"}, {NoLOD, "NoLOD"}, {MinMipMap, "MinMipMap"}, {Procedural, "Procedural"},
    {OneBitAlpha, "OneBitAlpha"}, {EightBitAlpha, "EightBitAlpha"}, {EnviromentMap, "EnviromentMap"},
    {RenderTarget, "RenderTarget"}, {DepthRenderTarget, "DepthRenderTarget"},
    {NoDebugOverride, "NoDebugOverride"}, {SingleCopy, "SingleCopy"},
    {OneOverMipmapLevelInAlpha, "OneOverMipmapLevelInAlpha"},
    {PremultiplyColorByOneOverMipmapLevel, "PremultiplyColorByOneOverMipmapLevel"},
    {NormalToDuDv, "NormalToDuDv"}, {AlphaTestMipmapGeneration, "AlphaTestMipmapGeneration"},
    {NoDepthBuffer, "NoDepthBuffer"}, {NiceFiltered, "NiceFiltered"}, {ClampU, "ClampU"},
};

}  // namespace

const char* image_format_name(int32_t format) {
    if (format == NONE) return "NONE";
    if (format < 0 || format >= int32_t(kFormats.size())) return "";
    return kFormats[size_t(format)].name;
}

const char* texture_flag_name(int32_t bit) {
    for (const auto& [value, name] : kFlagNames)
        if (value == bit) return name;
    return "";
}

int64_t image_bytes(int32_t format, int32_t width, int32_t height) {
    if (format < 0 || format >= int32_t(kFormats.size())) return -1;
    const FormatInfo& info = kFormats[size_t(format)];
    if (info.bytes_per_pixel == 0) return dxt::compressed_bytes(info.blocks, width, height);
    return int64_t(width) * height * info.bytes_per_pixel;
}

}  // namespace morvane::texture
