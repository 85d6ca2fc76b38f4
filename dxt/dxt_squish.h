#pragma once
// The DXT compression library as callers reach it by export name: buffer sizes, DXT1/DXT3/DXT5
// compression and decompression, and the reflectivity pair of the texture header.
//
// Pixels are width x height pixels of four bytes, rows top first, no row padding. Sizes are pixels.
// Every call takes the library flags last; the texture build passes kDxtFlagsBestQuality.
// Bits we define (any other bit is ignored):
//   0x0002 kDxtBestQuality         the libsquish cluster-fit encoder iterates its fit (slowest, best);
//                                  without it that encoder makes a single cluster-fit pass.
//   0x0004 kDxtPerceptualMetric    colour error is weighted by the eye's sensitivity (green most, blue
//                                  least); without it red, green and blue count alike.
//   0x0008 kDxtSourceBgra          pixels lie as blue, green, red, fourth byte (the picture surfaces' layout);
//                                  without it as red, green, blue, fourth byte. Decompression writes the same order.
//   0x0100 kDxtAlphaFromFourthByte DXT3 and DXT5 blocks carry the fourth byte as alpha; without it they are
//                                  opaque (alpha 255). DXT1 blocks are always opaque: an unset fourth byte
//                                  must not punch transparent holes into them.
//   0x2000 kDxtGammaReflectivity   reflectivity decodes each 8-bit value as (v/255)^2.2; without it as v/255.
#include <cstdint>

inline constexpr int32_t kDxtBestQuality = 0x0002;
inline constexpr int32_t kDxtPerceptualMetric = 0x0004;
inline constexpr int32_t kDxtSourceBgra = 0x0008;
inline constexpr int32_t kDxtAlphaFromFourthByte = 0x0100;
inline constexpr int32_t kDxtGammaReflectivity = 0x2000;
// All five bits above: 0x210E.
inline constexpr int32_t kDxtFlagsBestQuality =
    kDxtBestQuality | kDxtPerceptualMetric | kDxtSourceBgra | kDxtAlphaFromFourthByte | kDxtGammaReflectivity;

extern "C" {

// Byte count of the format's data for width x height pixels, as the published S3TC block formats give it:
// max(1, ceil(width/4)) x max(1, ceil(height/4)) blocks of 8 bytes (DXT1) or 16 bytes (DXT3, DXT5).
double Get_Dxt1_Buffer_Size(int32_t width, int32_t height, int32_t flags);
double Get_Dxt3_Buffer_Size(int32_t width, int32_t height, int32_t flags);
double Get_Dxt5_Buffer_Size(int32_t width, int32_t height, int32_t flags);

// Fill `output` (exactly the buffer size above) with the DXT blocks of the image, blocks in rows top first.
// Returns 1, or 0 (nothing written) for a null pointer or a side below 1.
int32_t Compress_Dxt1_Image(const uint8_t* pixels, int32_t width, int32_t height, uint8_t* output, int32_t flags);
int32_t Compress_Dxt3_Image(const uint8_t* pixels, int32_t width, int32_t height, uint8_t* output, int32_t flags);
int32_t Compress_Dxt5_Image(const uint8_t* pixels, int32_t width, int32_t height, uint8_t* output, int32_t flags);

// Decode blocks back into 4 x width x height bytes of pixels. Returns 1, or 0 as above.
int32_t Decompress_Dxt1_Image(const uint8_t* blocks, int32_t width, int32_t height, uint8_t* pixels, int32_t flags);
int32_t Decompress_Dxt3_Image(const uint8_t* blocks, int32_t width, int32_t height, uint8_t* pixels, int32_t flags);
int32_t Decompress_Dxt5_Image(const uint8_t* blocks, int32_t width, int32_t height, uint8_t* pixels, int32_t flags);

// Add to vector[0..2] the mean over the image of red, green and blue, each decoded as (v/255)^2.2 (see
// kDxtGammaReflectivity), in the order red, green, blue. Nothing is added for an empty image.
void Compute_Image_Reflectivity(const uint8_t* pixels, int32_t width, int32_t height, float* vector, int32_t flags);
// Divide vector[0..2] by frames x faces x slices, turning the sum of per-image means into their mean.
// A product below 1 leaves the vector as it is.
void Create_Reflectivity(int32_t frames, int32_t faces, int32_t slices, float* vector, int32_t flags);

}  // extern "C"
