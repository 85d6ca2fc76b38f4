#pragma once
// The sRGB transfer curve as lookup tables, so that resampling can average light rather than 8-bit codes.
// Linear values are floats in 0..1. Encoding rounds to the nearest 8-bit code in the encoded domain, exactly:
// decoding a code and encoding it again gives the same code.
#include <cstdint>

namespace morvane {

struct SrgbTables {
    static constexpr int kEncodeBins = 16384;  // coarse index into the encoded thresholds

    float to_linear[256];          // code -> linear light, from the exact piecewise sRGB formula
    float threshold[256];          // threshold[k]: smallest linear value that encodes to code k + 1 (k < 255)
    uint8_t first_code[kEncodeBins];  // lowest code that any linear value of the bin can encode to

    SrgbTables();
};

const SrgbTables& srgb_tables();  // built once, on first use

// Nearest 8-bit code of a linear value; values outside 0..1 clamp to 0 and 255.
inline uint8_t linear_to_srgb(const SrgbTables& t, float linear) {
    if (!(linear > 0.0f)) return 0;  // also catches NaN
    if (linear >= 1.0f) return 255;
    int code = t.first_code[int(linear * float(SrgbTables::kEncodeBins))];
    while (code < 255 && linear >= t.threshold[code]) ++code;
    return uint8_t(code);
}

}  // namespace morvane
