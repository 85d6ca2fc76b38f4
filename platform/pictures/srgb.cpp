#include "platform/pictures/srgb.h"

#include <cmath>

namespace morvane {

namespace {

// The exact curve in double precision, 0..1 encoded -> 0..1 linear, for building the tables.
double srgb_decode(double e) {
    return e <= 0.04045 ? e / 12.92 : std::pow((e + 0.055) / 1.055, 2.4);
}

}  // namespace

SrgbTables::SrgbTables() {
    for (int k = 0; k < 256; ++k) to_linear[k] = float(srgb_decode(k / 255.0));
    // Halfway between two codes in the encoded domain is where rounding switches to the upper code.
    for (int k = 0; k < 255; ++k) threshold[k] = float(srgb_decode((k + 0.5) / 255.0));
    threshold[255] = 2.0f;  // never reached: keeps the search loop in bounds

    int code = 0;
    for (int bin = 0; bin < kEncodeBins; ++bin) {
        const float bin_start = float(bin) / float(kEncodeBins);
        while (code < 255 && bin_start >= threshold[code]) ++code;
        first_code[bin] = uint8_t(code);
    }
}

const SrgbTables& srgb_tables() {
    static const SrgbTables tables;
    return tables;
}

}  // namespace morvane
