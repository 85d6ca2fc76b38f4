#pragma once
// The two enumerations of the VTF format, in the published numbering, with this module's names.
#include <cstdint>

namespace morvane::texture {

enum ImageFormat : int32_t {
    NONE = -1,
    RGBA8888 = 0,
    ABGR8888 = 1,
    RGB888 = 2,
    BGR888 = 3,
    RGB565 = 4,
    I8 = 5,
    IA88 = 6,
    P8 = 7,
    A8 = 8,
    RGB888_BLUESCREEN = 9,
    BGR888_BLUESCREEN = 10,
    ARGB8888 = 11,
    BGRA8888 = 12,
    DXT1 = 13,
    DXT3 = 14,
    DXT5 = 15,
    BGRX8888 = 16,
    BGR565 = 17,
    BGRX5551 = 18,
    BGRA4444 = 19,
    DXT1_ONEBITALPHA = 20,
    BGRA5551 = 21,
    UV88 = 22,
    UVWQ8888 = 23,
    RGBA16161616F = 24,
    RGBA16161616 = 25,
    UVLX8888 = 26,
};

// Bits of the header's flags field.
enum TextureFlags : int32_t {
    Point = 0x1,
    Trilinear = 0x2,
    ClampS = 0x4,
    ClampT = 0x8,
    Anisotropic = 0x10,
    HintDTX5 = 0x20,
    NoCompress = 0x40,
    Normal = 0x80,
    NoMipMaps = 0x100,
    NoLOD = 0x200,
    MinMipMap = 0x400,
    Procedural = 0x800,
    OneBitAlpha = 0x1000,
    EightBitAlpha = 0x2000,
    EnviromentMap = 0x4000,
    RenderTarget = 0x8000,
    DepthRenderTarget = 0x10000,
    NoDebugOverride = 0x20000,
    SingleCopy = 0x40000,
    OneOverMipmapLevelInAlpha = 0x80000,
    PremultiplyColorByOneOverMipmapLevel = 0x100000,
    NormalToDuDv = 0x200000,
    AlphaTestMipmapGeneration = 0x400000,
    NoDepthBuffer = 0x800000,
    NiceFiltered = 0x1000000,
    ClampU = 0x2000000,
};

// "DXT5" for 15, "" for a code outside the table.
const char* image_format_name(int32_t format);
// The name of one flag bit, "" for a bit outside the table.
const char* texture_flag_name(int32_t bit);
// True for the three block formats the build compresses to (13, 14, 15).
inline bool is_build_format(int32_t format) { return format == DXT1 || format == DXT3 || format == DXT5; }
// Bytes of one level of w x h pixels in the format, or -1 when the format is unknown.
int64_t image_bytes(int32_t format, int32_t width, int32_t height);

}  // namespace morvane::texture
