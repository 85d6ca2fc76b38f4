#include "texture/vtf_format.h"

#include <algorithm>
#include <array>
#include <utility>

namespace morvane::texture {

namespace {

struct FormatInfo {
    const char* name;
    int bytes_per_pixel;  // 0 for the 4 x 4 block formats
    int bytes_per_block;
};

// Index = format code; the published VTF numbering.
constexpr std::array<FormatInfo, 27> kFormats{{
    {"RGBA8888", 4, 0}, {"ABGR8888", 4, 0}, {"RGB888", 3, 0}, {"BGR888", 3, 0}, {"RGB565", 2, 0},
    {"I8", 1, 0}, {"IA88", 2, 0}, {"P8", 1, 0}, {"A8", 1, 0}, {"RGB888_BLUESCREEN", 3, 0},
    {"BGR888_BLUESCREEN", 3, 0}, {"ARGB8888", 4, 0}, {"BGRA8888", 4, 0}, {"DXT1", 0, 8}, {"DXT3", 0, 16},
    {"DXT5", 0, 16}, {"BGRX8888", 4, 0}, {"BGR565", 2, 0}, {"BGRX5551", 2, 0}, {"BGRA4444", 2, 0},
    {"DXT1_ONEBITALPHA", 0, 8}, {"BGRA5551", 2, 0}, {"UV88", 2, 0}, {"UVWQ8888", 4, 0},
    {"RGBA16161616F", 8, 0}, {"RGBA16161616", 8, 0}, {"UVLX8888", 4, 0},
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
    if (info.bytes_per_block > 0) {
        const int64_t across = std::max(1, (width + 3) / 4);
        const int64_t down = std::max(1, (height + 3) / 4);
        return across * down * info.bytes_per_block;
    }
    return int64_t(width) * height * info.bytes_per_pixel;
}

}  // namespace morvane::texture
